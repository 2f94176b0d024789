#pragma once

/* The link library's C interface. The program loads the library at run time and finds these entry
   points by name, so names and argument orders are fixed. Handles and integers are 32-bit; every
   open function gives 0 for success and non-zero for failure. */

#include <stdint.h>

#if defined(_WIN32)
#if defined(SLPV24_BUILD)
#define SLPV24_API __declspec(dllexport)
#else
#define SLPV24_API __declspec(dllimport)
#endif
#else
#define SLPV24_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C"
{
#endif

    /* Notification codes, in the low byte of the first message parameter. */
    enum
    {
        SLPNOTIFY_CONNECT = 1,    /* handshake done: frames may flow */
        SLPNOTIFY_DISCONNECT = 2, /* link lost or closed by the peer */
        SLPNOTIFY_DATA = 3,       /* one whole frame is waiting for SlpV24_Read */
        SLPNOTIFY_BADDATA = 4,    /* damaged, oversized, aborted or stalled frame dropped */
    };

    /* Port numbers with a fixed meaning; the serial ports are 1 to 9. */
    enum
    {
        SLP_PORT_USB0 = 10,       /* first USB serial device */
        SLP_PORT_USB1 = 11,       /* second USB serial device (tried when the first fails) */
        SLP_PORT_PABX_SVC = 20,   /* PABX service link */
        SLP_PORT_PABX_CTI = 30,   /* PABX CTI link */
        SLP_PORT_PABX_TCPIP = 40, /* PABX TCP/IP link */
    };

    /* What the program hands over as its "window handle": a callback the library calls from its own
       reader thread with the message id (the value behind the message-id pointer of the open call),
       the notification code and the link handle. The caller owns the structure and must keep it alive
       until SlpV24_Close has returned; the callback must only queue the notification (it runs on the
       library's thread and must not call back into the library's close). */
    typedef struct SlpV24_NotifySink
    {
        void (*pfnNotify)(void* pContext, uint32_t uMsg, uint32_t wParam, int32_t lParam);
        void* pContext;
    } SlpV24_NotifySink;

    /* Kept for old callers; links are opened with the Ex variants. Always fails. */
    SLPV24_API int32_t SlpV24_Open(void);

    SLPV24_API int32_t SlpV24_OpenEx(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort,
                                     int32_t nTransferClass, void* hWnd, int32_t nReserved, int32_t nRole);

    SLPV24_API int32_t SlpV24_OpenEx2(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort,
                                      int32_t nTransferClass, void* hWnd, int32_t nReserved, int32_t nRole,
                                      const char* pszPabxSerialNo, int32_t nPabxPortId);

    SLPV24_API int32_t SlpV24_OpenKNT(uint32_t* pHandle, const uint32_t* pMsgNotify, int32_t nPort,
                                      int32_t nTransferClass, void* hWnd, int32_t nReserved, int32_t nRole,
                                      const char* pszPabxSerialNo, int32_t nPabxPortId, const char* pszParamA,
                                      const char* pszParamB);

    SLPV24_API int32_t SlpV24_Close(uint32_t hLink);

    /* Why the calling thread's last open failed (the device and the system's reason), cut to
       nSize - 1 characters and terminated; gives the whole text's length, 0 when there is none.
       Newer than the other entry points: callers resolve it as optional. */
    SLPV24_API int32_t SlpV24_GetLastError(char* pszText, int32_t nSize);

    /* Hands out one whole frame per call (cut to nSize when the buffer is smaller); 0 when none. */
    SLPV24_API int32_t SlpV24_Read(uint32_t hLink, unsigned char* pBuffer, int32_t nSize);

    /* Sends one frame of 1 to 256 bytes; gives nLength when the frame was taken, else 0. */
    SLPV24_API int32_t SlpV24_Write(uint32_t hLink, const unsigned char* pFrame, int32_t nLength);

#ifdef __cplusplus
}
#endif
