#pragma once

// A proposed loan as the scoring window reads it. A choice is the index of
// the selected item: 0 raises the score, 1 leaves it, 2 lowers it, and -1
// (nothing selected) raises it twice as much as 0.
struct LoanFigures
{
    double amount = 0;
    double rate = 0;
    double term = 0;
    int quality = 1;
    double dti = 0;
    double ltv = 0;
    double creditScore = 0;
    double fees = 0;
    int feeling = 1;
    int howBad = 1;
};

// The lender's averages and weights from the preference record.
struct LenderPreferences
{
    double avgAmt = 0;
    double avgRate = 0;
    double avgTerm = 0;
    double avgDti = 0;
    double avgLtv = 0;
    double avgScore = 0;
    double avgFee = 0;
    int wgtAmt = 0;
    int wgtRate = 0;
    int wgtTerm = 0;
    int wgtCol = 0;
    int wgtDti = 0;
    int wgtLtv = 0;
    int wgtScore = 0;
    int wgtFee = 0;
    int wgtGut = 0;
    int wgtHb = 0;
};

// 5 plus the ten weighted differences from the averages, held within 0 to
// 100; an average loan scores 5. Arithmetic faults raise AppError.
double loanScore(const LoanFigures &loan, const LenderPreferences &prefs);
