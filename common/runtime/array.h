#pragma once

#include "runtime/numbers.h"

#include <new>
#include <vector>

namespace rt {

// An array with explicit bounds. A dynamic array starts without bounds ("does not exist")
// until it is dimensioned; asking for a bound or an element then, or for an index outside
// the bounds, is the subscript-out-of-range error.
template <typename T> class Array {
public:
    Array() = default;
    Array(Long lower, Long upper) { ReDim(lower, upper); }

    bool exists() const { return exists_; }

    // New bounds, every element reset.
    void ReDim(Long lower, Long upper)
    {
        std::vector<T> fresh;
        resize(fresh, lower, upper);
        items_ = std::move(fresh);
        lower_ = lower;
        exists_ = true;
    }
    // New bounds keeping the elements that lie inside them; only the upper bound may change.
    void ReDimPreserve(Long lower, Long upper)
    {
        if (exists_ && lower != lower_)
            raise(ErrorCode::SubscriptOutOfRange);
        resize(items_, lower, upper);
        lower_ = lower;
        exists_ = true;
    }

    Long LBound() const
    {
        check();
        return lower_;
    }
    Long UBound() const
    {
        check();
        return Long(std::int64_t(lower_.value()) + std::int64_t(items_.size()) - 1);
    }

    T& operator()(Long i) { return items_[offset(i)]; }
    const T& operator()(Long i) const { return items_[offset(i)]; }

private:
    void check() const
    {
        if (!exists_)
            raise(ErrorCode::SubscriptOutOfRange);
    }
    std::size_t offset(Long i) const
    {
        check();
        const std::int64_t at = std::int64_t(i.value()) - lower_.value();
        if (at < 0 || at >= std::int64_t(items_.size()))
            raise(ErrorCode::SubscriptOutOfRange);
        return std::size_t(at);
    }
    static void resize(std::vector<T>& items, Long lower, Long upper)
    {
        if (upper < lower)
            raise(ErrorCode::SubscriptOutOfRange);
        try {
            items.resize(std::size_t(std::int64_t(upper.value()) - lower.value() + 1));
        } catch (const std::bad_alloc&) {
            raise(ErrorCode::OutOfMemory);
        } catch (const std::length_error&) {
            raise(ErrorCode::OutOfMemory);
        }
    }

    std::vector<T> items_;
    Long lower_ = 0;
    bool exists_ = false;
};

template <typename T> Long LBound(const Array<T>& a)
{
    return a.LBound();
}

template <typename T> Long UBound(const Array<T>& a)
{
    return a.UBound();
}

} // namespace rt
