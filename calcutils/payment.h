#pragma once

#include <optional>

// The level-payment equation of a monthly-paid loan. P is the loan amount,
// R the annual rate in percent, n the term in months (not necessarily
// whole), A the monthly payment and B the balloon. Every function works in
// extended precision and throws AppError on an arithmetic fault.

// The monthly rate of an annual percentage: R / 1200, held as a double.
double monthlyRate(long double R);

double amortizedPayment(double P, double R, double n);
double interestOnlyPayment(double P, double R);
// The term that repays P with A a month; nothing when A does not exceed the
// first month's interest.
std::optional<double> loanTerm(double P, double R, double A);
// Nine linear-interpolation passes on the annual rate from 1 percent, the
// slope taken over 0.1 point, then rounded to three decimals. With a
// balloon, payments and balloon are both taken over n - 1 months.
double interestRate(double P, double n, double A, double B);
// The present value of n payments plus the balloon discounted over n + 1
// months.
double loanAmount(double R, double n, double A, double B);
