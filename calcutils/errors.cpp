#include "errors.h"

std::string errorReportText(const std::string &message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}

std::string formatMessage(const std::string &pattern, const std::string &arg)
{
    std::string text = pattern;
    if (auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, arg);
    return text;
}

std::string formatMessage(const std::string &pattern, const std::string &arg1, const std::string &arg2)
{
    std::string text = pattern;
    auto at = text.find("%s");
    if (at == std::string::npos)
        return text;
    text.replace(at, 2, arg1);
    if (at = text.find("%s", at + arg1.size()); at != std::string::npos)
        text.replace(at, 2, arg2);
    return text;
}
