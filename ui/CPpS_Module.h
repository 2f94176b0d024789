#pragma once

// Page of one key-extension module (template 7018; up to three, captioned by strings 390 to 392):
// what the module reports about itself and its 42 keys. A key is edited in the function-key
// dialog; button 9126 prints the module's label sheet.

#include "ui/CPp_Page.h"

class CApp;

class CPpS_Module : public CPp_Page
{
    Q_OBJECT

public:
    static constexpr unsigned IDD = 7018;
    static constexpr const char* CAPTION = "Module";

    // nSlot: the module slot 1 to 3 (its version block; keys (nSlot - 1) * 42 on).
    CPpS_Module(CApp& app, int nSlot, QWidget* pParent = nullptr);

    int Slot() const { return m_nSlot; }
    // The module key (KeyE920 block index) a row of the list shows.
    int KeyOfRow(int nRow) const;

protected:
    void DocToMembers() override;
    int EditRow(int nRow) override;

private:
    int m_nSlot;
};
