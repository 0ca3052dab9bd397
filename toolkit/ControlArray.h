#pragma once

#include <QtGlobal>

#include <vector>

// A control array: elements addressed by their own index, which need not start at 0.
template <typename Control> class ControlArray
{
public:
    ControlArray() = default;
    explicit ControlArray(int lowerBound) : m_lowerBound(lowerBound) {}

    void append(Control *control) { m_controls.push_back(control); }

    Control *operator()(int index) const
    {
        Q_ASSERT(contains(index));
        return m_controls[std::size_t(index - m_lowerBound)];
    }

    bool contains(int index) const
    {
        return index >= m_lowerBound && index < m_lowerBound + int(m_controls.size());
    }

    auto begin() const { return m_controls.begin(); }
    auto end() const { return m_controls.end(); }

private:
    int m_lowerBound = 0;
    std::vector<Control *> m_controls;
};
