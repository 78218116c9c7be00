// The accessible object of a skin control: name, role, state, value and default action of its
// own, the rest delegated to the system's standard proxy for the window.
#include "skin/skin_accessible.h"

#include <oleacc.h>

#include <atomic>

#include "win32/lazy_function.h"
#include "win32/ole_session.h"
#include "win32/wide_text.h"
#include "win32/window.h"

namespace skin {
namespace {

// Spelled out: MinGW's import library has been seen to carry a wrong IID_IAccessible.
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Start-up time is measured: the accessibility library and the BSTR allocator load only when a
// screen reader first asks.
win::LazyFunction<HRESULT(HWND, LONG, const IID&, void**)> g_createStandard("oleacc.dll",
                                                                             "CreateStdAccessibleObject");
win::LazyFunction<LRESULT(const IID&, WPARAM, IUnknown*)> g_resultFromObject("oleacc.dll", "LresultFromObject");
win::LazyFunction<BSTR(const OLECHAR*, UINT)> g_allocString("oleaut32.dll", "SysAllocStringLen");

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT ToBstr(const std::string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto alloc = g_allocString.Get();
  if (!alloc) return E_OUTOFMEMORY;
  const std::wstring wide = win::WidenCodePage(text);
  *out = alloc(wide.c_str(), static_cast<UINT>(wide.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ToLong(long value, VARIANT* out) {
  if (!out) return E_POINTER;
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

class ControlAccessible final : public IAccessible {
 public:
  ControlAccessible(HWND control, IAccessible* standard) : control_(control), standard_(standard) {}
  ControlAccessible(const ControlAccessible&) = delete;
  ControlAccessible& operator=(const ControlAccessible&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, kIidUnknown) && !IsEqualIID(iid, kIidDispatch) && !IsEqualIID(iid, kIidAccessible))
      return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return Standard() ? standard_->get_accName(child, name) : E_INVALIDARG;
    const AccessibleSource* source = Source();
    return source ? ToBstr(source->Describe().name, name) : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return Standard() ? standard_->get_accRole(child, role) : E_INVALIDARG;
    const AccessibleSource* source = Source();
    return source ? ToLong(static_cast<long>(source->Describe().role), role) : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!IsSelf(child)) return Standard() ? standard_->get_accState(child, state) : E_INVALIDARG;
    const AccessibleSource* source = Source();
    return source ? ToLong(StateOf(source->Describe()), state) : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    const AccessibleSource* source = IsSelf(child) ? Source() : nullptr;
    if (source && !source->Describe().value.empty()) return ToBstr(source->Describe().value, value);
    return Standard() ? standard_->get_accValue(child, value) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    const AccessibleSource* source = IsSelf(child) ? Source() : nullptr;
    if (source && Pressable(source->Describe())) return ToBstr("Press", action);
    return Standard() ? standard_->get_accDefaultAction(child, action) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const AccessibleSource* source = IsSelf(child) ? Source() : nullptr;
    if (source && Pressable(source->Describe())) {
      PostMessageA(control_, BM_CLICK, 0, 0);
      return S_OK;
    }
    return Standard() ? standard_->accDoDefaultAction(child) : E_NOTIMPL;
  }

  // The rest is the window's, as the system's proxy sees it.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return Standard() ? standard_->get_accParent(parent) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return Standard() ? standard_->get_accChildCount(count) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return Standard() ? standard_->get_accChild(child, out) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Standard() ? standard_->get_accDescription(child, text) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return Standard() ? standard_->get_accHelp(child, text) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return Standard() ? standard_->get_accHelpTopic(file, child, topic) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return Standard() ? standard_->get_accKeyboardShortcut(child, text) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return Standard() ? standard_->get_accFocus(focus) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return Standard() ? standard_->get_accSelection(selection) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return Standard() ? standard_->accSelect(flags, child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return Standard() ? standard_->accLocation(left, top, width, height, child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return Standard() ? standard_->accNavigate(direction, start, end) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return Standard() ? standard_->accHitTest(x, y, child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~ControlAccessible() {
    if (standard_) standard_->Release();
  }
  bool Standard() const { return standard_ != nullptr; }
  // Null once the control is gone: a screen reader may keep the object longer than the window.
  const AccessibleSource* Source() const {
    return dynamic_cast<const AccessibleSource*>(win::WindowObject::FromHandle(control_));
  }
  static bool Pressable(const AccessibleFacts& facts) {
    return facts.role == AccessibleRole::PushButton || facts.role == AccessibleRole::CheckBox;
  }
  long StateOf(const AccessibleFacts& facts) const {
    long state = facts.state;
    if (!IsWindowVisible(control_)) state |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(control_)) return state | STATE_SYSTEM_UNAVAILABLE;
    if (facts.role == AccessibleRole::StaticText || facts.role == AccessibleRole::Graphic)
      return state | STATE_SYSTEM_READONLY;
    state |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == control_) state |= STATE_SYSTEM_FOCUSED;
    return state;
  }

  HWND control_;
  IAccessible* standard_;  // owned reference, or null
  std::atomic<ULONG> references_{1};
};

}  // namespace

std::optional<LRESULT> AnswerGetObject(HWND control, DWORD flags, LONG objectId) {
  if (objectId != OBJID_CLIENT) return std::nullopt;
  auto createStandard = g_createStandard.Get();
  auto resultFromObject = g_resultFromObject.Get();
  if (!createStandard || !resultFromObject) return std::nullopt;
  // The object is handed over through COM's marshalling, which needs COM on this thread.
  win::EnsureOle();
  IAccessible* standard = nullptr;
  if (FAILED(createStandard(control, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&standard))))
    standard = nullptr;
  auto* object = new ControlAccessible(control, standard);
  const LRESULT result = resultFromObject(kIidAccessible, flags, object);
  object->Release();
  return result;
}

std::string NameOf(const SkinItem& item) { return FirstNonEmpty({item.tooltip, item.label}); }

std::string FirstNonEmpty(std::initializer_list<std::string_view> texts) {
  for (std::string_view text : texts)
    if (!text.empty()) return std::string(text);
  return {};
}

}  // namespace skin
