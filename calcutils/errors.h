#pragma once

#include <stdexcept>
#include <string>

// A failure whose message is meant for the user, shown by the general error
// report (arithmetic faults, conversion errors, table errors).
class AppError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A number text that does not read as a number.
class ConvertError : public AppError
{
public:
    using AppError::AppError;
};

// Thrown by a handler that has already shown its own message: the general
// error report shows nothing further.
class SilentAbort
{
};

// The text the general error report shows for a message: a full stop is
// appended when the last character sorts after the full stop.
std::string errorReportText(const std::string &message);

// printf-style "%s" substitution for the fixed message texts.
std::string formatMessage(const std::string &pattern, const std::string &arg);
std::string formatMessage(const std::string &pattern, const std::string &arg1, const std::string &arg2);
