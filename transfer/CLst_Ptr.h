#pragma once

// A fixed number of pointer slots; a pointer's slot index stays its identity while it is listed.
// Holds the registry of transfer layers, whose slot index is the layer's timer id.

#include <vector>

class CLst_Ptr
{
public:
    explicit CLst_Ptr(unsigned uSlots);

    // Puts p into the first free slot; gives the slot index, or -1 when every slot is taken.
    int Add(void* p);
    // Clears the slot holding p; 1 when it was listed.
    int Remove(const void* p);
    // The pointer in slot uIndex; null for a free slot or an index out of range.
    void* Get(unsigned uIndex) const;
    unsigned Size() const { return static_cast<unsigned>(m_slots.size()); }
    // One trace line per slot: "CLst_Ptr: " and the slot's pointer.
    void Dump() const;

private:
    std::vector<void*> m_slots;
};
