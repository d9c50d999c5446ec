#include "tidy.h"

namespace arrtidy {

void RemoveRepeats(rt::Array<rt::Integer>& a)
{
    rt::Long n = a.UBound();
    rt::Integer i = rt::Integer(a.LBound());
    while (rt::Long(i) < n) {
        rt::Integer j = i + 1;
        while (rt::Long(j) <= n) {
            if (a(i) == a(j)) {
                const rt::Integer last = rt::Integer(n - 1); // taken once, before the shift
                for (rt::Integer k = j; k <= last; ++k)
                    a(k) = a(k + 1);
                n = n - 1;
                a.ReDimPreserve(0, n);
                // What moved into place j is compared next, so runs of a value go entirely.
                j = j - 1;
            }
            j = j + 1;
        }
        i = i + 1;
    }
}

void SortDescending(rt::Array<rt::Integer>& a)
{
    const rt::Long lastI = a.UBound() - 1;
    for (rt::Integer i = rt::Integer(a.LBound()); rt::Long(i) <= lastI; ++i) {
        const rt::Long lastJ = a.UBound();
        for (rt::Integer j = i + 1; rt::Long(j) <= lastJ; ++j) {
            if (a(i) < a(j)) {
                const rt::Integer t = a(i);
                a(i) = a(j);
                a(j) = t;
            }
        }
    }
}

} // namespace arrtidy
