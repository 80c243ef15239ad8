#include "guard.h"

#include "messages.h"

#include "calcutils/errors.h"

#include <QString>

#include <exception>

bool runGuarded(Messages &messages, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const SilentAbort &) {
    } catch (const std::exception &e) {
        messages.showError(QString::fromStdString(errorReportText(e.what())));
    }
    return false;
}
