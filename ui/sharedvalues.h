#pragma once

#include <QString>

// The last loan values typed into the tools, handed from one tool to the
// next for as long as the program runs.
struct SharedLoanValues
{
    QString LastLoanAmt = QStringLiteral("100000.00");
    QString LastRate = QStringLiteral("12.000");
    QString LastTerm = QStringLiteral("60");
    QString LastPayment = QStringLiteral("0.00");
    QString LastBalloon = QStringLiteral("0.00");
};

// The term as the tools hand it on: the number in the text rounded to a
// whole number, ties to even. Throws ConvertError for text that is no number.
QString wholeTermText(const QString &termText);
