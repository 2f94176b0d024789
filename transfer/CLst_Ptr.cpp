#include "transfer/CLst_Ptr.h"

#include "support/Trace.h"

#include <cstdio>

CLst_Ptr::CLst_Ptr(unsigned uSlots) : m_slots(uSlots, nullptr) {}

int CLst_Ptr::Add(void* p)
{
    if (!p)
        return -1;
    for (size_t i = 0; i < m_slots.size(); ++i)
    {
        if (!m_slots[i])
        {
            m_slots[i] = p;
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CLst_Ptr::Remove(const void* p)
{
    if (!p)
        return 0;
    for (void*& pSlot : m_slots)
    {
        if (pSlot == p)
        {
            pSlot = nullptr;
            return 1;
        }
    }
    return 0;
}

void* CLst_Ptr::Get(unsigned uIndex) const
{
    return uIndex < m_slots.size() ? m_slots[uIndex] : nullptr;
}

void CLst_Ptr::Dump() const
{
    if (!TraceIsOn())
        return;
    for (void* p : m_slots)
    {
        char sz[32];
        std::snprintf(sz, sizeof sz, "%p", p);
        TraceLine("CLst_Ptr", sz);
    }
}
