#include "platform/WinTypes.h"

#include <climits>
#include <cstdlib>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    long long num = static_cast<long long>(a) * b;
    long long den = c;
    bool negative = (num < 0) != (den < 0);
    unsigned long long n = static_cast<unsigned long long>(std::llabs(num));
    unsigned long long d = static_cast<unsigned long long>(std::llabs(den));
    unsigned long long q = (n + d / 2) / d;
    if (q > static_cast<unsigned long long>(INT_MAX))
        return -1;
    return negative ? -static_cast<int>(q) : static_cast<int>(q);
}
