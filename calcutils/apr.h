#pragma once

// The APR of an amortized loan with prepaid finance charges. loanAmt is the
// note amount, intRate the note rate in percent a year, term the months
// (possibly fractional), amtFinanced the loan amount less the charges.

// The level payment of the whole loan amount at the note rate; throws
// AppError on an arithmetic fault (a rate of 0 divides 0 by 0).
double levelPayment(double loanAmt, double intRate, double term);

// All payments less the amount financed; throws AppError on overflow.
double financeCharge(double moPmt, double term, double amtFinanced);

// Climbs from the note rate in damped steps to the first rate at which the
// amount financed needs a payment within half a cent of the note-rate
// payment. An arithmetic fault, a rate that stops changing or more than
// aprIterationLimit steps give 0.
double searchAPR(double loanAmt, double intRate, double term, double amtFinanced);

// Ordinary loans need a few hundred steps.
inline constexpr int aprIterationLimit = 100000;
