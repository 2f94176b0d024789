#include "data/CLst_StrPtr.h"

#include "support/Trace.h"

CLst_StrPtr::CLst_StrPtr(size_t nCapacity, size_t nGrowBy) : m_nGrowBy(nGrowBy ? nGrowBy : 1)
{
    TraceLine("CLst_StrPtr", "Constructor()");
    m_items.reserve(nCapacity);
}

CLst_StrPtr::~CLst_StrPtr()
{
    TraceLine("CLst_StrPtr", "Destructor()");
}
