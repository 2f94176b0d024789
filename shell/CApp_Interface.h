#pragma once

// What the document needs of the application: the two containers it moves files into and out
// of, the application values it reads and sets, and the steps of the brand data, properties and
// view that a new or opened document runs. The application object implements it; a run without
// the whole program (the command-line tool, the emulator) implements it with CApp_Headless.

#include <string>

class CData_All;

class CApp_Interface
{
public:
    virtual ~CApp_Interface() = default;

    // `DocData` (being edited) and `SavedData` (as last loaded or saved).
    virtual CData_All& DocData() = 0;
    virtual CData_All& SavedData() = 0;

    // `PhoneImageValid`: every new or opened document clears it.
    virtual void SetPhoneImageValid(bool bValid) = 0;
    // The phone-type setting: the type of a new document (a phone-type word; empty or unknown:
    // the brand's default type).
    virtual std::string PhoneSetting() const = 0;

    // The brand data anew; the properties of a phone type (stored in DocData's version block);
    // the version number of an opened file's version text.
    virtual int DerivatLoad() = 0;
    virtual int DerivatToProperties(int nPhoneType) = 0;
    virtual void SetVersionText(const std::string& version) = 0;

    // The view's data exchange; nothing without a view.
    virtual void MoveDataViewToDoc() = 0;
    virtual void MoveDataDocToView() = 0;

    // `LastFilePath`: the full path last chosen in a file dialog.
    virtual const std::string& LastFilePath() const = 0;
    virtual void SetLastFilePath(const std::string& path) = 0;
    // The document's path joins the recently used files.
    virtual void AddToRecentFileList(const std::string& path) = 0;
    // A document was created or opened through the file commands: the main window's initial
    // update (it builds its view for the document); nothing without a window.
    virtual void InitialUpdateFrame() = 0;
};
