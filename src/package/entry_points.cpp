// The package library's exported entry points; everything else stays hidden.
#include "base/host.h"
#include "base/screen_registry.h"
#include "package/dispatcher.h"
#include "package/package_life.h"
#include "package/widgets/screen_catalog.h"

#define QJ_EXPORT extern "C" __attribute__((visibility("default")))

// Hands the package the host's services; called by the host before FinanceLoad.
QJ_EXPORT void FinanceAttachHost(qj::HostServices* host) { qj::base::AttachHost(host); }

QJ_EXPORT long Finance_Call(const char* command, const char* param, qj::VorParams* params);

QJ_EXPORT void FinanceLoad() {
  qj::package::RegisterBuiltScreens();
  qj::package::Load(&Finance_Call);
}

QJ_EXPORT void FinanceUnload() {
  qj::package::Unload();
  qj::package::UnregisterBuiltScreens();
}

QJ_EXPORT long Finance_Call(const char* command, const char* param, qj::VorParams* params) {
  return qj::package::Dispatch(command ? command : "", param ? param : "", params);
}

// Whether this build of the package has the screen of a form-name key, so
// that the host can offer only the screens that open.
QJ_EXPORT bool FinanceHasScreen(const char* key) { return key && qj::base::HasScreen(key); }
