// Feeds arbitrary bytes to the vCard reader, then through the import dialog's decisions and the
// per-card import, checking that every text it hands on is code page 1252 within its field.

#include "data/CData_AllCfg.h"
#include "data/CData_AllDialName.h"
#include "data/CData_DialName.h"
#include "data/CData_Properties.h"
#include "phonebook/CImportVCard.h"
#include "phonebook/CImport_Entry.h"
#include "phonebook/CImport_Report.h"
#include "phonebook/CImport_VCardForm.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
void Check(bool bOk)
{
    if (!bOk)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CImportVCard vcard(reinterpret_cast<const char*>(data), size);
    Check(vcard.NumberCount() <= static_cast<int>(size));

    static const CData_AllCfg s_cfg;
    CImport_VCardForm form;
    CData_DialName entry(0);
    form.Open(entry, CData_Properties::Current(), s_cfg);
    form.Load(vcard, "+49", "0");
    for (int i = 0; i < static_cast<int>(form.m_nameItems.size()); ++i)
    {
        form.SelectName(i);
        Check(form.m_strName.size() <= CImport_VCardForm::NAME_FIELD_MAX);
    }
    for (int i = 0; i < static_cast<int>(form.m_numberItems.size()) && i < 64; ++i)
    {
        form.SelectNumber(i);
        Check(form.m_strNumber.size() <= CImport_VCardForm::NUMBER_FIELD_MAX);
        if (form.Store(entry))
            Check(!entry.m_strName.empty() && entry.m_strName.size() <= CData_DialName::NAME_MAX &&
                  entry.m_strInfotext.size() <= CData_DialName::INFOTEXT_MAX);
    }

    CData_AllDialName book;
    CImport_Report report;
    for (const CImportVCard::CCard& card : vcard.Cards())
    {
        const std::string number =
            card.numbers.empty() ? std::string() : CImportVCard::Localise(card.numbers.front(), "+49", "0");
        if (CImport_Entry::Add(book, CImportVCard::NameProposal(card.names, 0), number, std::string(),
                               book.Count(), report, card.bChanged) == CImport_Entry::FULL)
            break;
    }
    Check(report.nImported == book.Count());
    return 0;
}
