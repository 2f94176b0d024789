#pragma once

// What the application object does with the view (the property sheet of pages): the data
// exchange between DocData and the pages' controls, and the pages following new properties. The
// program's view implements it; without one (tool, tests) nothing happens.

class CApp_View
{
public:
    virtual ~CApp_View() = default;

    // Copies DocData into the pages' controls.
    virtual void MoveDataDocToView() = 0;
    // Copies the pages' controls into DocData.
    virtual void MoveDataViewToDoc() = 0;
    // The properties changed (another phone type, a new or opened document): the pages that exist
    // and their elements follow CData_Properties::Current().
    virtual void RefreshPages() = 0;
    // Makes the first property page the active one (after a transfer).
    virtual void ActivateFirstPage() = 0;
};
