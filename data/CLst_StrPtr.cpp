#include "data/CLst_StrPtr.h"

#include "support/Trace.h"

#include <algorithm>

CLst_StrPtr::CLst_StrPtr(size_t nCapacity, size_t nGrowBy) : m_nGrowBy(nGrowBy ? nGrowBy : 1)
{
    TraceLine("CLst_StrPtr", "Constructor()");
    m_items.reserve(nCapacity);
}

CLst_StrPtr::~CLst_StrPtr()
{
    TraceLine("CLst_StrPtr", "Destructor()");
}

void CLst_StrPtr::Grow()
{
    const size_t nCapacity = m_items.capacity();
    m_items.reserve(nCapacity + std::max(m_nGrowBy, nCapacity / 2));
}
