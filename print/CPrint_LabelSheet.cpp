#include "print/CPrint_LabelSheet.h"

#include "data/CData_All.h"
#include "data/CData_KeyLabels.h"
#include "data/CData_Types.h"
#include "data/CData_UiText.h"

const char* const CPrint_LabelSheet::FONT_FACE = "Arial";

namespace
{
// IDS_STR_DIALNAME_DEFAULTMSN1: the start of the key strip's title.
constexpr unsigned TEXT_TITLE = 284;

// The key strip, in 0.1 mm. Its cells were measured on the telephone's key field, so the
// heights are not quite regular.
struct CKeyStrip
{
    int nLeft, nTop, nRight, nBottom;
    int nTextX;
    int nTitleY;
    int nTitleLineY; // the grey line under the title
    int anUpperY[CPrint_LabelSheet::KEY_CELLS];
    int nLowerBelowUpper;
    int nShortRight;
    int anShortY[CPrint_LabelSheet::KEY_CELLS];
    int anCellY[CPrint_LabelSheet::KEY_CELLS - 1];
};
constexpr CKeyStrip s_key = {
    30,
    30,
    310,
    659,
    45,
    32,
    69,
    {91, 208, 325, 442, 559},
    60,
    295,
    {129, 249, 369, 489, 604},
    {189, 309, 429, 549},
};
// The grey line under the title.
constexpr int TITLE_LINE_PEN = 6;

// A module strip: the first at its place, the second (an "E920") 370 units to the right.
struct CModuleStrip
{
    int nLeft, nTop, nRight, nBottom;
    int nTextX;
    int nShortRight;
};
constexpr CModuleStrip s_moduleStrips[] = {
    {30, 30, 308, 1288, 45, 293},
    {400, 30, 678, 1288, 415, 663},
};
constexpr int MODULE_CELL_Y[CPrint_LabelSheet::MODULE_CELLS] = {88,  208, 328, 448,  568,
                                                                688, 808, 928, 1048, 1168};
constexpr int MODULE_SHORT_Y[CPrint_LabelSheet::MODULE_CELLS] = {148, 268, 388, 508,  628,
                                                                 748, 868, 988, 1108, 1228};
// The two texts of a module cell, below the line that opens the cell: as in the key strip, the
// upper text above the short line and the lower text below it.
constexpr int MODULE_UPPER_BELOW_CELL = 20;
constexpr int MODULE_LOWER_BELOW_CELL = 80;
// Module key positions: 20 keys of the first level, two LEDs, 20 keys of the second level.
constexpr int MODULE_LOWER_LEVEL = 22;

std::string KeyText(const CData_Key* pKeys, int nCount, int nKey)
{
    return nKey >= 0 && nKey < nCount ? CData_KeyLabels::SheetText(pKeys[nKey]) : std::string();
}
} // namespace

CPrint_LabelSheet CPrint_LabelSheet::KeySheet(const CData_All& data, int nKeyCount)
{
    const CKeyStrip& s = s_key;
    const int nKeys =
        nKeyCount < 0 ? 0 : (nKeyCount > CData_AllCfg::KEY_MAX ? CData_AllCfg::KEY_MAX : nKeyCount);
    CPrint_LabelSheet sheet;
    sheet.Rect(s.nLeft, s.nTop, s.nRight, s.nBottom);
    sheet.Text(s.nTextX, s.nTitleY, CData_UiText(TEXT_TITLE) + " " + data.m_Cfg.m_MsnPara[0].m_strMsn);
    sheet.Line(s.nLeft, s.nTitleLineY, s.nRight, s.nTitleLineY, TITLE_LINE_PEN, COLOR_GREY);
    for (int i = 0; i < KEY_CELLS; ++i)
    {
        sheet.Text(s.nTextX, s.anUpperY[i], KeyText(data.m_Cfg.m_Key, nKeys, i));
        sheet.Line(s.nTextX, s.anShortY[i], s.nShortRight, s.anShortY[i]);
        sheet.Text(s.nTextX, s.anUpperY[i] + s.nLowerBelowUpper,
                   KeyText(data.m_Cfg.m_Key, nKeys, nKeys / 2 + i));
    }
    for (int nY : s.anCellY)
        sheet.Line(s.nLeft, nY, s.nRight, nY);
    return sheet;
}

CPrint_LabelSheet CPrint_LabelSheet::ModuleSheet(const CData_All& data, int nSlot)
{
    CPrint_LabelSheet sheet;
    if (nSlot < 1 || nSlot > CData_AllCfg::MODULE_COUNT)
        return sheet;
    const int nStrips = data.m_Cfg.m_VersionModule[nSlot].m_nModuleType == MODULETYPE_E920 ? 2 : 1;
    const CData_Key* pModule = data.m_Cfg.m_KeyE920 + CData_AllCfg::MODULE_KEY_COUNT * (nSlot - 1);
    for (int nStrip = 0; nStrip < nStrips; ++nStrip)
    {
        const CModuleStrip& s = s_moduleStrips[nStrip];
        sheet.Rect(s.nLeft, s.nTop, s.nRight, s.nBottom);
        for (int i = 0; i < MODULE_CELLS; ++i)
        {
            const int nUpper = MODULE_CELLS * nStrip + i;
            const int nCellY = MODULE_CELL_Y[i];
            sheet.Line(s.nLeft, nCellY, s.nRight, nCellY);
            sheet.Text(s.nTextX, nCellY + MODULE_UPPER_BELOW_CELL,
                       KeyText(pModule, CData_AllCfg::MODULE_KEY_COUNT, nUpper));
            sheet.Line(s.nTextX, MODULE_SHORT_Y[i], s.nShortRight, MODULE_SHORT_Y[i]);
            sheet.Text(s.nTextX, nCellY + MODULE_LOWER_BELOW_CELL,
                       KeyText(pModule, CData_AllCfg::MODULE_KEY_COUNT, MODULE_LOWER_LEVEL + nUpper));
        }
    }
    return sheet;
}

void CPrint_LabelSheet::Rect(int nX1, int nY1, int nX2, int nY2)
{
    m_shapes.push_back({CPrint_Shape::SHAPE_RECT, nX1, nY1, nX2, nY2, PEN, COLOR_BLACK, std::string()});
}

void CPrint_LabelSheet::Line(int nX1, int nY1, int nX2, int nY2, int nPen, unsigned nColor)
{
    m_shapes.push_back({CPrint_Shape::SHAPE_LINE, nX1, nY1, nX2, nY2, nPen, nColor, std::string()});
}

void CPrint_LabelSheet::Text(int nX, int nY, const std::string& text)
{
    m_shapes.push_back({CPrint_Shape::SHAPE_TEXT, nX, nY, nX, nY, 0, COLOR_BLACK, text});
}
