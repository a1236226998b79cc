// A small set of enumeration values, the shape the controls use for shift states, grid draw
// states and owner-draw states: values are bits of one word, so a set is cheap to copy and
// compare and reads like the set literals it stands for ({ssShift, ssCtrl}).
#pragma once

#include <initializer_list>

template <class E>
class TEnumSet
{
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values)
    {
        for (E v : values)
            Include(v);
    }

    constexpr bool Contains(E v) const { return (m_bits & bit(v)) != 0; }
    constexpr void Include(E v) { m_bits |= bit(v); }
    constexpr void Exclude(E v) { m_bits &= ~bit(v); }
    constexpr bool IsEmpty() const { return m_bits == 0; }
    constexpr unsigned Bits() const { return m_bits; }

    friend constexpr TEnumSet operator+(TEnumSet a, E v)
    {
        a.Include(v);
        return a;
    }
    friend constexpr TEnumSet operator-(TEnumSet a, E v)
    {
        a.Exclude(v);
        return a;
    }
    friend constexpr bool operator==(const TEnumSet&, const TEnumSet&) = default;

private:
    static constexpr unsigned bit(E v) { return 1u << unsigned(v); }
    unsigned m_bits = 0;
};
