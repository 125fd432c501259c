#pragma once
#include <atomic>

#include "vst3/Vst3Abi.h"

class IPlugBase;

namespace kestravon_vst3 {

// The plug-in's editor as a VST 3 view: the editor window, opened inside the
// window the host attaches it to (an X11 window id on Linux, an HWND on
// Windows) and closed when the host removes it.
//
// Size: the editor draws at the host's content scale, and a host that lets
// the user drag the window's corner gets the sizes the editor takes (its
// proportions, in quarter steps of scale). When the editor's size changes
// on its own side (a new content scale, the user's zoom), the view that
// holds the host's frame asks the frame for the new size; the host's
// onSize back only confirms it, so the request never comes round again.
//
// On Linux no host calls an editor-idle function: the view asks the host's
// frame for its run loop and has it call the editor's idle work on a timer
// and whenever the window's X connection has something to read. Windows'
// editor window runs a timer of its own, so there the view only opens and
// closes it.
//
// The view holds a reference to the plug-in object that made it, so the
// plug-in outlives every view, and deletes itself when its own count falls
// to zero.
class Vst3EditorView final : public vst3::IPlugView, public vst3::IPlugViewContentScaleSupport {
 public:
  // The platform type this build's editor window embeds into.
  static const char* const kPlatformType;
  // How often the run loop's timer calls the idle work: half the editor's
  // 40 ms frame period, so that a timer a little early never makes the
  // editor wait a whole frame for its next tick.
  static constexpr vst3::TimerInterval kTimerPeriodMs = 20;

  // owner is the plug-in object the host sees, plug the same plug-in's base;
  // framed is the plug-in's record of the view whose frame hears of a new
  // editor size: the view enters itself there while it holds a frame.
  Vst3EditorView(IPlugBase& plug, vst3::FUnknown* owner, Vst3EditorView*& framed);
  Vst3EditorView(const Vst3EditorView&) = delete;
  Vst3EditorView& operator=(const Vst3EditorView&) = delete;

  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID requested, void** obj) override;
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override;
  vst3::uint32 KESTRAVON_VST3_CALL release() override;

  vst3::tresult KESTRAVON_VST3_CALL isPlatformTypeSupported(vst3::FIDString type) override;
  vst3::tresult KESTRAVON_VST3_CALL attached(void* parent, vst3::FIDString type) override;
  vst3::tresult KESTRAVON_VST3_CALL removed() override;
  vst3::tresult KESTRAVON_VST3_CALL onWheel(float distance) override;
  vst3::tresult KESTRAVON_VST3_CALL onKeyDown(vst3::char16 key, vst3::int16 keyCode,
                                              vst3::int16 modifiers) override;
  vst3::tresult KESTRAVON_VST3_CALL onKeyUp(vst3::char16 key, vst3::int16 keyCode,
                                            vst3::int16 modifiers) override;
  vst3::tresult KESTRAVON_VST3_CALL getSize(vst3::ViewRect* size) override;
  vst3::tresult KESTRAVON_VST3_CALL onSize(vst3::ViewRect* newSize) override;
  vst3::tresult KESTRAVON_VST3_CALL onFocus(vst3::TBool state) override;
  vst3::tresult KESTRAVON_VST3_CALL setFrame(vst3::IPlugFrame* frame) override;
  vst3::tresult KESTRAVON_VST3_CALL canResize() override;
  vst3::tresult KESTRAVON_VST3_CALL checkSizeConstraint(vst3::ViewRect* rect) override;

  vst3::tresult KESTRAVON_VST3_CALL setContentScaleFactor(ScaleFactor factor) override;

  // The editor took a new size: the host's frame is asked for it.
  void EditorSizeChanged();

 private:
  // A handler the view gives the host's run loop: an object of the one
  // interface whose references are the view's, so that the view outlives
  // any handler the host still holds.
  template <typename Interface>
  class RunLoopHandler : public Interface {
   public:
    explicit RunLoopHandler(Vst3EditorView& view) : view(view) {}
    vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID requested, void** obj) override;
    vst3::uint32 KESTRAVON_VST3_CALL addRef() override { return view.addRef(); }
    vst3::uint32 KESTRAVON_VST3_CALL release() override { return view.release(); }

   protected:
    Vst3EditorView& view;
  };

  class TimerHandler final : public RunLoopHandler<vst3::ITimerHandler> {
   public:
    using RunLoopHandler::RunLoopHandler;
    void KESTRAVON_VST3_CALL onTimer() override { view.Idle(); }
  };

  class WindowEventHandler final : public RunLoopHandler<vst3::IEventHandler> {
   public:
    using RunLoopHandler::RunLoopHandler;
    void KESTRAVON_VST3_CALL onFDIsSet(vst3::FileDescriptor) override { view.Idle(); }
  };

  ~Vst3EditorView();

  // The editor's drawing and event work, outside the plug-in's lock as an
  // editor-idle call runs it.
  void Idle();
  bool OpenWindow(void* parent);
  void CloseWindow();
  // Registers the timer and the window's events with the frame's run loop,
  // when the platform needs one and the frame has one.
  void StartRunLoop();
  void StopRunLoop();

  IPlugBase& plug;
  vst3::FUnknown* const owner;
  Vst3EditorView*& framed;
  vst3::IPlugFrame* frame = nullptr;
  vst3::IRunLoop* runLoop = nullptr;
  TimerHandler timer{*this};
  WindowEventHandler windowEvents{*this};
  bool windowEventsRegistered = false;
  bool isAttached = false;
  std::atomic<vst3::uint32> references{1};
};

}  // namespace kestravon_vst3
