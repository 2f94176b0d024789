#pragma once

// The transfer commands of r740tool: each runs the program's transfer with the telephone and gives
// an exit code of ETool_Exit (0 when the transfer ended in TRANS_DONE, 1 when it failed or was
// refused, 2 for bad usage or an unreadable or unwritable file).

struct CTool_Context;

// read OUT: the telephone's configuration, saved to OUT only after a successful transfer.
int ToolRead(CTool_Context& context);
// write IN: IN's configuration sent to the telephone (with the PIN of --pin).
int ToolWrite(CTool_Context& context);
// read-phonebook OUT, write-phonebook IN: the same for the phonebook.
int ToolReadPhonebook(CTool_Context& context);
int ToolWritePhonebook(CTool_Context& context);
// pin-reset, paycounter-reset: the telephone's commands.
int ToolPinReset(CTool_Context& context);
int ToolPayCounterReset(CTool_Context& context);
// firmware-update SERVICENO: the firmware update with the service number as its file name.
int ToolFirmwareUpdate(CTool_Context& context);
