#pragma once
// The library's exported functions, the four a host needs:
//   ZQVRTpvs_CreateObject  - a new entry object by program identifier ("ZQVRTpvs.frmclsTpvs"),
//                            owned by the caller (delete it to release it); nullptr when unknown
//   ZQVRTpvs_ListClasses   - the program identifiers, separated by '\n' (static text)
//   ZQVRTpvs_CanUnloadNow  - 1 when no entry object is alive
//   ZQVRTpvs_RegisterServer / ZQVRTpvs_UnregisterServer - the per-user component registry file
#include <QtCore/qglobal.h>

class QObject;

extern "C" {
Q_DECL_EXPORT QObject* ZQVRTpvs_CreateObject(const char* progId);
Q_DECL_EXPORT const char* ZQVRTpvs_ListClasses();
Q_DECL_EXPORT int ZQVRTpvs_CanUnloadNow();
Q_DECL_EXPORT int ZQVRTpvs_RegisterServer(const char* libraryPath);
Q_DECL_EXPORT int ZQVRTpvs_UnregisterServer();
}
