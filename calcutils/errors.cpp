#include "errors.h"

std::string errorReportText(const std::string &message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}

std::string formatMessage(const std::string &pattern, const std::string &arg)
{
    const auto at = pattern.find("%s");
    if (at == std::string::npos)
        return pattern;
    return pattern.substr(0, at) + arg + pattern.substr(at + 2);
}

std::string formatMessage(const std::string &pattern, const std::string &arg1, const std::string &arg2)
{
    const auto first = pattern.find("%s");
    if (first == std::string::npos)
        return pattern;
    // The second argument goes into what follows the first, so a "%s" inside
    // the first argument is never replaced.
    return pattern.substr(0, first) + arg1 + formatMessage(pattern.substr(first + 2), arg2);
}
