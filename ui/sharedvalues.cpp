#include "sharedvalues.h"

#include "calcutils/numbertext.h"
#include "calcutils/realmath.h"

QString wholeTermText(const QString &termText)
{
    const double term = StrToFloat(termText.toStdString());
    return QString::number(guardedFloat([term] { return roundToInt64(term); }));
}
