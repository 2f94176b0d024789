#include "phonebook/CImport_VCardForm.h"

#include "data/CData_AllCfg.h"
#include "data/CData_DialName.h"
#include "data/CData_Properties.h"
#include "data/CData_Types.h"
#include "data/CData_UiText.h"
#include "phonebook/CImportVCard.h"

#include <algorithm>

namespace
{
// Interface texts of the combos.
constexpr unsigned IDS_STR_DIALNAME_DEFAULTMSN = 282;
constexpr unsigned IDS_STR_MELODY = 312;
constexpr unsigned IDS_STR_STANDARD = 313;
constexpr unsigned IDS_STR_SPECIALTONE = 314;

// The slot label of an MSN without a number: "MSN-1" to "MSN-9", but "MSN10".
const char s_szSlot[] = "MSN-";
const char s_szSlot10[] = "MSN";
constexpr int SLOT_WITHOUT_DASH = 10;

std::string TrimRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string Trim(const std::string& text)
{
    const size_t nStart = text.find_first_not_of(' ');
    return nStart == std::string::npos ? std::string() : TrimRight(text.substr(nStart));
}

int Clamp(int nValue, int nMin, int nMax)
{
    return std::max(nMin, std::min(nValue, nMax));
}
} // namespace

void CImport_VCardForm::SplitInfotext(const std::string& text, std::string& line1, std::string& line2)
{
    line1 = TrimRight(text.substr(0, INFO_LINE_MAX));
    line2 =
        text.size() > INFO_LINE_MAX ? TrimRight(text.substr(INFO_LINE_MAX, INFO_LINE_MAX)) : std::string();
}

std::string CImport_VCardForm::JoinInfotext(const std::string& line1, const std::string& line2)
{
    std::string text = line1.substr(0, INFO_LINE_MAX);
    text.resize(INFO_LINE_MAX, ' ');
    return TrimRight(text + line2.substr(0, INFO_LINE_MAX));
}

std::vector<std::string> CImport_VCardForm::MelodyItems(int nMelodyCount)
{
    std::vector<std::string> items = {CData_UiText(IDS_STR_STANDARD), CData_UiText(IDS_STR_SPECIALTONE)};
    const std::string melody = CData_UiText(IDS_STR_MELODY);
    for (int i = 1; i <= nMelodyCount - 2; ++i)
        items.push_back(melody + " " + std::to_string(i));
    return items;
}

std::vector<std::string> CImport_VCardForm::MsnGoItems(const CData_AllCfg& cfg, int nMsnCount)
{
    std::vector<std::string> items = {CData_UiText(IDS_STR_DIALNAME_DEFAULTMSN)};
    const int nSlots = Clamp(nMsnCount, 0, CData_AllCfg::MSNPARA_MAX);
    for (int i = 0; i < nSlots; ++i)
    {
        const CData_MsnPara& msn = cfg.m_MsnPara[i];
        if (!msn.m_strMsn.empty())
            items.push_back(msn.m_strTxt + " (" + msn.m_strMsn + ")");
        else if (i + 1 == SLOT_WITHOUT_DASH)
            items.push_back(s_szSlot10 + std::to_string(i + 1));
        else
            items.push_back(s_szSlot + std::to_string(i + 1));
    }
    return items;
}

int CImport_VCardForm::FirstNameItem(const CImportVCard& vcard)
{
    return !CImportVCard::HasNameParts(vcard.Names()) && !vcard.FormattedName().empty()
               ? CImportVCard::PROPOSALS
               : 0;
}

void CImport_VCardForm::Open(const CData_DialName& entry, const CData_Properties& props,
                             const CData_AllCfg& cfg)
{
    SplitInfotext(entry.m_strInfotext, m_strInfo1, m_strInfo2);
    m_bRisingOffered = props.m_bRisingLoudness;
    m_bRising = m_bRisingOffered && entry.m_nLoud == LOUD_RISING;
    m_nLoud = entry.m_nLoud > LOUD_SLIDER_MAX ? LOUD_DEFAULT : Clamp(entry.m_nLoud, 0, LOUD_SLIDER_MAX);
    m_melodyItems = MelodyItems(props.m_nMelodyCount);
    m_nMelody = Clamp(entry.m_nMelodyExt, 0, static_cast<int>(m_melodyItems.size()) - 1);
    m_bMsnGoOffered = props.m_bMsnGoRecord;
    m_msnGoItems = MsnGoItems(cfg, props.m_nMsnCount);
    m_nMsnGo = Clamp(entry.m_nMsnGo, 0, static_cast<int>(m_msnGoItems.size()) - 1);
    m_bInfotextOffered = props.m_bEntryInfotext;
}

void CImport_VCardForm::Load(const CImportVCard& vcard, const std::string& country,
                             const std::string& outside)
{
    m_country = country;
    m_outside = outside;
    m_strFormattedName = vcard.FormattedName();
    m_nameItems.clear();
    for (int i = 0; i < CImportVCard::PROPOSALS; ++i)
        m_nameItems.push_back(vcard.NameProposal(i));
    if (!vcard.FormattedName().empty())
        m_nameItems.emplace_back(vcard.FormattedName());
    m_numberItems.assign(vcard.Numbers().begin(), vcard.Numbers().end());
    if (m_numberItems.empty())
        m_numberItems.emplace_back();
    SelectName(FirstNameItem(vcard));
    SelectNumber(0);
}

void CImport_VCardForm::SelectName(int nItem)
{
    if (nItem < 0 || nItem >= static_cast<int>(m_nameItems.size()))
        return;
    m_nNameItem = nItem;
    m_strName = m_nameItems[static_cast<size_t>(nItem)].substr(0, NAME_FIELD_MAX);
}

void CImport_VCardForm::SelectNumber(int nItem)
{
    if (nItem < 0 || nItem >= static_cast<int>(m_numberItems.size()))
        return;
    m_nNumberItem = nItem;
    // Shown as the dial string it will be stored as, so that separators do not count against the
    // field's length.
    StrToMsnExt(CImportVCard::Localise(m_numberItems[static_cast<size_t>(nItem)], m_country, m_outside),
                m_strNumber);
}

int CImport_VCardForm::Store(CData_DialName& entry) const
{
    std::string name;
    std::string number;
    StrToName(Trim(m_strName), name);
    StrToMsnExt(m_strNumber, number);
    if (name.empty() || number.empty())
        return 0;
    entry.m_strName = name;
    entry.m_strMsnExt = number;
    StrToInfotext(JoinInfotext(m_strInfo1, m_strInfo2), entry.m_strInfotext);
    entry.m_nLoud = m_bRisingOffered && m_bRising ? LOUD_RISING : Clamp(m_nLoud, 0, LOUD_SLIDER_MAX);
    entry.m_nMelodyExt = Clamp(m_nMelody, 0, std::max(0, static_cast<int>(m_melodyItems.size()) - 1));
    if (m_bMsnGoOffered)
        entry.m_nMsnGo = Clamp(m_nMsnGo, 0, std::max(0, static_cast<int>(m_msnGoItems.size()) - 1));
    return 1;
}
