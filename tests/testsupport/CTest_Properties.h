#pragma once

// Properties set by hand for a test. The program changes the properties in force only as a whole
// (CData_Properties::Install); a test edits a copy of them, which is put in force when the editor
// goes, for a temporary at the end of its statement:
//
//     CTest_Properties()->m_bHeadSetLevels = true;
//
// Brand data set so are brand data of the input too, so they last through the next Install (a
// file's phone type being applied), as the brand data of DerivatLoad do.
//
// CTest_PropertiesGuard gives a test's properties back as they were before it.

#include "data/CData_Properties.h"

class CTest_Properties
{
public:
    CTest_Properties() : m_inForce(CData_Properties::Snapshot()) {}
    ~CTest_Properties()
    {
        m_inForce.input.brand = m_inForce.properties;
        CData_Properties::Restore(m_inForce);
    }
    CTest_Properties(const CTest_Properties&) = delete;
    CTest_Properties& operator=(const CTest_Properties&) = delete;

    CData_Properties* operator->() { return &m_inForce.properties; }
    CData_Properties& operator*() { return m_inForce.properties; }

private:
    CData_Properties::CSnapshot m_inForce;
};

class CTest_PropertiesGuard
{
public:
    CTest_PropertiesGuard() : m_saved(CData_Properties::Snapshot()) {}
    ~CTest_PropertiesGuard() { CData_Properties::Restore(m_saved); }
    CTest_PropertiesGuard(const CTest_PropertiesGuard&) = delete;
    CTest_PropertiesGuard& operator=(const CTest_PropertiesGuard&) = delete;

private:
    CData_Properties::CSnapshot m_saved;
};
