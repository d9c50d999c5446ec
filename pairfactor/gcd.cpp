#include "gcd.h"

namespace pairfactor {

rt::Integer GCD(rt::Integer& m, rt::Integer& n)
{
    if (m == 0 || n == 0)
        return 0;
    if (m < n) {
        const rt::Integer t = m;
        m = n;
        n = t;
    }
    rt::Integer r = rt::Mod(m, n);
    if (r == 0)
        return n;
    return GCD(n, r); // 0 < r < n: the nested call never exchanges
}

} // namespace pairfactor
