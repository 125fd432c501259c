#include "vst3/Vst3EditorView.h"

#include <cmath>
#include <cstring>
#include <mutex>

#include "core/IPlugBase.h"

namespace kestravon_vst3 {
namespace {

#if defined(_WIN32)
// The Windows editor window drives itself by its own timer and messages.
constexpr bool kHostDrivesEditor = false;
#else
// The X11 editor window has no loop of its own: the host's run loop drives it.
constexpr bool kHostDrivesEditor = true;
#endif

template <typename Interface>
vst3::tresult Answer(Interface* object, const vst3::TUID requested, void** obj) {
  if (obj == nullptr) return vst3::kInvalidArgument;
  if (!vst3::uidEquals(requested, vst3::FUnknown::iid) &&
      !vst3::uidEquals(requested, Interface::iid)) {
    *obj = nullptr;
    return vst3::kNoInterface;
  }
  *obj = object;
  object->addRef();
  return vst3::kResultOk;
}

}  // namespace

#if defined(_WIN32)
const char* const Vst3EditorView::kPlatformType = vst3::kPlatformTypeHWND;
#else
const char* const Vst3EditorView::kPlatformType = vst3::kPlatformTypeX11EmbedWindowID;
#endif

template <typename Interface>
vst3::tresult Vst3EditorView::RunLoopHandler<Interface>::queryInterface(const vst3::TUID requested,
                                                                         void** obj) {
  return Answer<Interface>(this, requested, obj);
}

Vst3EditorView::Vst3EditorView(IPlugBase& plug, vst3::FUnknown* owner, Vst3EditorView*& framed)
    : plug(plug), owner(owner), framed(framed) {
  if (owner) owner->addRef();
}

Vst3EditorView::~Vst3EditorView() {
  // Taking the handlers back may make the host count their references (the
  // view's) up and down again: that must not reach zero a second time.
  references = 1;
  // A host that lets go of an attached view still gets its window closed.
  if (isAttached) removed();
  setFrame(nullptr);
  // Last: this may free the plug-in.
  if (owner) owner->release();
}

vst3::tresult Vst3EditorView::queryInterface(const vst3::TUID requested, void** obj) {
  if (obj != nullptr && vst3::uidEquals(requested, vst3::IPlugViewContentScaleSupport::iid)) {
    return Answer<vst3::IPlugViewContentScaleSupport>(this, requested, obj);
  }
  return Answer<vst3::IPlugView>(this, requested, obj);
}

vst3::uint32 Vst3EditorView::addRef() { return ++references; }

vst3::uint32 Vst3EditorView::release() {
  const vst3::uint32 left = --references;
  if (left == 0) delete this;
  return left;
}

vst3::tresult Vst3EditorView::isPlatformTypeSupported(vst3::FIDString type) {
  return type != nullptr && std::strcmp(type, kPlatformType) == 0 ? vst3::kResultTrue
                                                                  : vst3::kResultFalse;
}

vst3::tresult Vst3EditorView::attached(void* parent, vst3::FIDString type) {
  if (parent == nullptr) return vst3::kInvalidArgument;
  if (isAttached || isPlatformTypeSupported(type) != vst3::kResultTrue) return vst3::kResultFalse;
  if (!OpenWindow(parent)) return vst3::kResultFalse;
  isAttached = true;
  // Calls into the host are made without the plug-in's lock.
  StartRunLoop();
  return vst3::kResultOk;
}

vst3::tresult Vst3EditorView::removed() {
  if (!isAttached) return vst3::kResultFalse;
  // The host stops calling before the window and its connection go.
  StopRunLoop();
  CloseWindow();
  isAttached = false;
  return vst3::kResultOk;
}

bool Vst3EditorView::OpenWindow(void* parent) {
  std::lock_guard<std::recursive_mutex> guard(plug.Lock());
  IEditorLink* editor = plug.Editor();
  if (editor == nullptr || editor->OpenEditorWindow(parent) == nullptr) return false;
  plug.EditorOpened();
  return true;
}

void Vst3EditorView::CloseWindow() {
  std::lock_guard<std::recursive_mutex> guard(plug.Lock());
  IEditorLink* editor = plug.Editor();
  if (editor == nullptr) return;
  plug.EditorClosed();
  editor->CloseEditorWindow();
}

void Vst3EditorView::Idle() {
  // Like a window's timer, the idle work runs without the plug-in's lock so
  // that it never holds up the audio; what it changes takes the lock itself.
  if (IEditorLink* editor = plug.Editor()) editor->Idle();
}

void Vst3EditorView::StartRunLoop() {
  if (!kHostDrivesEditor || frame == nullptr || runLoop != nullptr) return;
  void* loop = nullptr;
  // A host without a run loop still gets the window, but nothing drives it
  // then: it is neither painted nor answers input until it is removed.
  const auto* iid = reinterpret_cast<const char*>(vst3::IRunLoop::iid.data());
  if (frame->queryInterface(iid, &loop) != vst3::kResultOk || loop == nullptr) return;
  runLoop = static_cast<vst3::IRunLoop*>(loop);
  runLoop->registerTimer(&timer, kTimerPeriodMs);
  const IEditorLink* editor = plug.Editor();
  const int fd = editor ? editor->EventFileDescriptor() : -1;
  windowEventsRegistered =
      fd >= 0 && runLoop->registerEventHandler(&windowEvents, fd) == vst3::kResultOk;
}

void Vst3EditorView::StopRunLoop() {
  if (runLoop == nullptr) return;
  if (windowEventsRegistered) runLoop->unregisterEventHandler(&windowEvents);
  windowEventsRegistered = false;
  runLoop->unregisterTimer(&timer);
  vst3::IRunLoop* loop = runLoop;
  runLoop = nullptr;
  loop->release();
}

vst3::tresult Vst3EditorView::setFrame(vst3::IPlugFrame* newFrame) {
  if (newFrame) newFrame->addRef();
  StopRunLoop();
  if (frame) frame->release();
  frame = newFrame;
  if (frame) {
    framed = this;
  } else if (framed == this) {
    framed = nullptr;
  }
  if (isAttached) StartRunLoop();
  return vst3::kResultOk;
}

// Outside the plug-in's lock, like every call into the host: the host calls
// onSize (and getSize) back from inside resizeView.
void Vst3EditorView::EditorSizeChanged() {
  const IEditorLink* editor = plug.Editor();
  if (frame == nullptr || editor == nullptr) return;
  vst3::ViewRect size{0, 0, editor->Width(), editor->Height()};
  frame->resizeView(this, &size);
}

// The editor follows the host's scale unless the user chose a zoom, and
// tells the frame itself when its size changes.
vst3::tresult Vst3EditorView::setContentScaleFactor(ScaleFactor factor) {
  IEditorLink* editor = plug.Editor();
  if (editor == nullptr || !std::isfinite(factor) || factor <= 0.0f) return vst3::kResultFalse;
  editor->SetHostScale(factor);
  return vst3::kResultOk;
}

vst3::tresult Vst3EditorView::getSize(vst3::ViewRect* size) {
  const IEditorLink* editor = plug.Editor();
  if (size == nullptr || editor == nullptr) return vst3::kInvalidArgument;
  *size = vst3::ViewRect{0, 0, editor->Width(), editor->Height()};
  return vst3::kResultOk;
}

// The size the host gave the window is the editor's scale from then on (the
// fitting one); a size that is not one of the editor's is answered false.
vst3::tresult Vst3EditorView::onSize(vst3::ViewRect* newSize) {
  IEditorLink* editor = plug.Editor();
  if (newSize == nullptr || editor == nullptr) return vst3::kInvalidArgument;
  const bool taken =
      editor->TakeWindowSize(newSize->right - newSize->left, newSize->bottom - newSize->top);
  return taken ? vst3::kResultOk : vst3::kResultFalse;
}

// While the user drags the corner: the largest size the editor takes
// within the rect, at the same place.
vst3::tresult Vst3EditorView::checkSizeConstraint(vst3::ViewRect* rect) {
  const IEditorLink* editor = plug.Editor();
  if (rect == nullptr || editor == nullptr) return vst3::kInvalidArgument;
  int width = rect->right - rect->left;
  int height = rect->bottom - rect->top;
  editor->ConstrainSize(&width, &height);
  rect->right = rect->left + width;
  rect->bottom = rect->top + height;
  return vst3::kResultTrue;
}

vst3::tresult Vst3EditorView::canResize() { return vst3::kResultTrue; }

// The editor takes the mouse and keys from its own window.
vst3::tresult Vst3EditorView::onWheel(float) { return vst3::kResultFalse; }
vst3::tresult Vst3EditorView::onKeyDown(vst3::char16, vst3::int16, vst3::int16) {
  return vst3::kResultFalse;
}
vst3::tresult Vst3EditorView::onKeyUp(vst3::char16, vst3::int16, vst3::int16) {
  return vst3::kResultFalse;
}
vst3::tresult Vst3EditorView::onFocus(vst3::TBool) { return vst3::kResultOk; }

}  // namespace kestravon_vst3
