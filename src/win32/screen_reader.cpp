#include "win32/screen_reader.h"

#include <initguid.h>  // the annotation service's GUIDs, defined here

#include <oleacc.h>

#include "desktop/accessible_names.h"
#include "win32/wide_text.h"

namespace kalmar::win32 {

void nameForScreenReaders(const Controls& controls) {
  IAccPropServices* annotations = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&annotations))))
    return;
  controls.forEachNamed([annotations](const std::string& component, HWND control) {
    const std::string name = desktop::accessibleName(component);
    if (name.empty()) return;
    annotations->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                PROPID_ACC_NAME, wide(name).c_str());
  });
  annotations->Release();
}

void nameForScreenReaders(HWND control, const std::string& name) {
  if (name.empty()) return;
  IAccPropServices* annotations = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&annotations))))
    return;
  annotations->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              PROPID_ACC_NAME, wide(name).c_str());
  annotations->Release();
}

}  // namespace kalmar::win32
