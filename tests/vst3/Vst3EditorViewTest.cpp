// The VST 3 editor view over the product's plug-in, attached to a host's
// X11 window and driven only by a host frame's run loop, as a Linux VST 3
// host drives it: a timer and a watch on the window's connection.
// clang-format off
// GoogleTest and the plug-in before Xlib, whose macros (None, Bool) clash
// with their names.
#include "XvfbTest.h"
#include "host/ParameterChanges.h"
#include "vst3/TovraneVst3.h"
#include "vst3/Vst3EditorView.h"
#include <X11/Xlib.h>
// clang-format on

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestHostWindow.h"
#include "editor/IGraphics.h"
#include "raster/LICE_SysBitmap.h"

namespace {

using kestravon_vst3::Vst3EditorView;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 1000;
constexpr int kHeight = 420;
constexpr int kWowParam = 4;
// The "Wow" knob's middle, and a band of the editor that only the
// background covers.
constexpr int kWowX = 440;
constexpr int kWowY = 300;
const Rect kBackgroundBand(0, 40, kWidth, 90);

const char* Iid(const vst3::Uid& uid) { return reinterpret_cast<const char*>(uid.data()); }

// No zoom a user of this machine chose: the editor starts at 1.0 and
// follows the host's scale.
[[maybe_unused]] const bool kNoUserZoom =
    setenv("XDG_CONFIG_HOME", "/nonexistent/kestravon-tests", 1) == 0;

// The view's size as width x height.
std::pair<int, int> SizeOf(vst3::IPlugView* view) {
  vst3::ViewRect size{};
  view->getSize(&size);
  return {size.right - size.left, size.bottom - size.top};
}
std::pair<int, int> SizeOf(const vst3::ViewRect& rect) {
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// The host's side of the plug-in's edits: which calls came, in order.
class EditRecorder final : public vst3::IComponentHandler {
 public:
  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID, void** obj) override {
    *obj = nullptr;
    return vst3::kNoInterface;
  }
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override { return 1; }
  vst3::uint32 KESTRAVON_VST3_CALL release() override { return 1; }
  vst3::tresult KESTRAVON_VST3_CALL beginEdit(vst3::ParamID id) override {
    return Record('b', id);
  }
  vst3::tresult KESTRAVON_VST3_CALL performEdit(vst3::ParamID id, vst3::ParamValue) override {
    return Record('p', id);
  }
  vst3::tresult KESTRAVON_VST3_CALL endEdit(vst3::ParamID id) override { return Record('e', id); }
  vst3::tresult KESTRAVON_VST3_CALL restartComponent(vst3::int32) override {
    return vst3::kResultOk;
  }

  // The calls for one parameter, "b" begin, "p" perform, "e" end.
  std::string For(vst3::ParamID id) const {
    std::string text;
    for (const auto& [kind, param] : calls) {
      if (param == id && (text.empty() || text.back() != kind)) text += kind;
    }
    return text;
  }

 private:
  vst3::tresult Record(char kind, vst3::ParamID id) {
    calls.emplace_back(kind, id);
    return vst3::kResultOk;
  }
  std::vector<std::pair<char, vst3::ParamID>> calls;
};

// The plug-in object as a host holds it, with one reference, and the view
// its controller hands out for the editor.
struct PlugAndView {
  PlugAndView()
      : plug(new TovraneVst3()),
        view(static_cast<Vst3EditorView*>(plug->createView(vst3::ViewType::kEditor))) {}
  ~PlugAndView() {
    if (view) view->release();
    if (plug) plug->release();
  }
  // The plug-in's references, for a count that is not the test's own.
  vst3::uint32 References() {
    plug->addRef();
    return plug->release();
  }

  TovraneVst3* plug;
  Vst3EditorView* view;
};

// The host's frame around the view, with a run loop like a Linux host's:
// handlers are held by a reference while registered, and Run waits on the
// watched descriptors until the next timer is due.
class TestFrame final : public vst3::IPlugFrame, public vst3::IRunLoop {
 public:
  explicit TestFrame(bool hasRunLoop) : hasRunLoop(hasRunLoop) {}

  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID requested, void** obj) override {
    *obj = nullptr;
    if (vst3::uidEquals(requested, vst3::FUnknown::iid) ||
        vst3::uidEquals(requested, vst3::IPlugFrame::iid)) {
      *obj = static_cast<vst3::IPlugFrame*>(this);
    } else if (hasRunLoop && vst3::uidEquals(requested, vst3::IRunLoop::iid)) {
      *obj = static_cast<vst3::IRunLoop*>(this);
    }
    if (*obj == nullptr) return vst3::kNoInterface;
    addRef();
    return vst3::kResultOk;
  }
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override { return ++references; }
  vst3::uint32 KESTRAVON_VST3_CALL release() override { return --references; }

  // As a host does: the window takes the size, then the view is told.
  vst3::tresult KESTRAVON_VST3_CALL resizeView(vst3::IPlugView* view,
                                               vst3::ViewRect* size) override {
    resizes.push_back(*size);
    onSizeAnswers.push_back(view->onSize(size));
    return vst3::kResultTrue;
  }

  vst3::tresult KESTRAVON_VST3_CALL registerEventHandler(vst3::IEventHandler* handler,
                                                         vst3::FileDescriptor fd) override {
    if (holdsHandlers) handler->addRef();
    watches.push_back({handler, fd});
    return vst3::kResultOk;
  }
  vst3::tresult KESTRAVON_VST3_CALL unregisterEventHandler(vst3::IEventHandler* handler) override {
    return Forget(watches, handler);
  }
  vst3::tresult KESTRAVON_VST3_CALL registerTimer(vst3::ITimerHandler* handler,
                                                  vst3::TimerInterval ms) override {
    if (holdsHandlers) handler->addRef();
    timers.push_back({handler, ms, Clock::now() + std::chrono::milliseconds(ms)});
    return vst3::kResultOk;
  }
  vst3::tresult KESTRAVON_VST3_CALL unregisterTimer(vst3::ITimerHandler* handler) override {
    return Forget(timers, handler);
  }

  // Runs the loop for about ms milliseconds.
  void Run(int ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    do RunOnce(end);
    while (Clock::now() < end);
  }
  // Runs the loop until done holds, for at most a few seconds: a busy
  // machine's server may take a while.
  bool RunUntil(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(3);
    while (!done() && Clock::now() < end) Run(5);
    return done();
  }

  struct Watch {
    vst3::IEventHandler* handler;
    vst3::FileDescriptor fd;
  };
  struct Timer {
    vst3::ITimerHandler* handler;
    vst3::TimerInterval ms;
    Clock::time_point due;
  };

  const bool hasRunLoop;
  std::vector<vst3::ViewRect> resizes;
  std::vector<vst3::tresult> onSizeAnswers;
  // Whether registered handlers are held by a reference, as most loops do.
  bool holdsHandlers = true;
  vst3::uint32 references = 0;
  std::vector<Watch> watches;
  std::vector<Timer> timers;
  int fdCalls = 0;
  int timerCalls = 0;

 private:
  template <typename Entry, typename Handler>
  vst3::tresult Forget(std::vector<Entry>& entries, Handler* handler) {
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](const Entry& entry) { return entry.handler == handler; });
    if (found == entries.end()) return vst3::kInvalidArgument;
    entries.erase(found);
    // A loop that holds none still counts one up and down while it looks.
    if (!holdsHandlers) handler->addRef();
    handler->release();
    return vst3::kResultOk;
  }

  void RunOnce(Clock::time_point end) {
    auto wakeUp = end;
    for (const Timer& timer : timers) wakeUp = std::min(wakeUp, timer.due);
    std::vector<pollfd> fds;
    for (const Watch& watch : watches) fds.push_back({watch.fd, POLLIN, 0});
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wakeUp - Clock::now());
    poll(fds.data(), fds.size(), static_cast<int>(std::max<long>(wait.count(), 0)));
    // Handlers may unregister while called, so each is looked up afresh.
    for (const pollfd& fd : fds) {
      if ((fd.revents & POLLIN) == 0) continue;
      for (const Watch& watch : std::vector<Watch>(watches)) {
        if (watch.fd != fd.fd) continue;
        ++fdCalls;
        watch.handler->onFDIsSet(fd.fd);
      }
    }
    const auto now = Clock::now();
    for (Timer& timer : timers) {
      if (now < timer.due) continue;
      timer.due = now + std::chrono::milliseconds(timer.ms);
      ++timerCalls;
      timer.handler->onTimer();
    }
  }
};

// The product's plug-in with a view over it.
class EditorView : public ::testing::Test {
 protected:
  PlugAndView objects;
  TovraneVst3*& plug = objects.plug;
  Vst3EditorView*& view = objects.view;
};

// The same in a host's X11 window on a private server.
class AttachedEditorView : public XvfbTest {
 protected:
  void SetUp() override {
    XvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    host = std::make_unique<TestHostWindow>(kWidth, kHeight);
    ASSERT_TRUE(host->Ok());
    objects = std::make_unique<PlugAndView>();
    plug = objects->plug;
    view = objects->view;
  }
  void TearDown() override {
    if (objects) objects->view = view;
    objects.reset();
    host.reset();
  }

  vst3::tresult Attach(TestFrame& hostFrame) {
    view->setFrame(&hostFrame);
    return view->attached(host->Handle(), vst3::kPlatformTypeX11EmbedWindowID);
  }
  std::vector<Window> Children() {
    XSync(host->Connection(), False);
    return host->Children();
  }
  Window EditorWindow() {
    const std::vector<Window> children = Children();
    return children.size() == 1 ? children[0] : 0;
  }
  // What the window shows and what the editor drew, in the same form.
  std::vector<uint32_t> Shown(const Rect& area) { return host->Pixels(EditorWindow(), area); }
  std::vector<uint32_t> Drawn(const Rect& area) const {
    LICE_SysBitmap* buffer = plug->Product().Graphics()->BackBuffer();
    std::vector<uint32_t> pixels;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        pixels.push_back(buffer->Bits()[y * buffer->RowSpan() + x] & 0xffffff);
      }
    }
    return pixels;
  }
  // Whether the window shows the editor's drawing, not the host window's
  // black that the editor window starts with.
  bool ShowsTheDrawing(const Rect& area) {
    const std::vector<uint32_t> shown = Shown(area);
    return shown == Drawn(area) &&
           std::any_of(shown.begin(), shown.end(), [](uint32_t p) { return p != 0; });
  }
  double Wow() const { return plug->GetParam(kWowParam)->ToNormalized(); }

  // The frames outlive the view, as a host's do.
  TestFrame frame{true};
  TestFrame looplessFrame{false};
  std::unique_ptr<TestHostWindow> host;
  std::unique_ptr<PlugAndView> objects;
  TovraneVst3* plug = nullptr;
  Vst3EditorView* view = nullptr;
};

}  // namespace

TEST_F(EditorView, IsAViewOnlyAndKeepsThePlugInWhileItLives) {
  EXPECT_EQ(objects.References(), 2u) << "the host's and the view's";
  void* obj = nullptr;
  for (const vst3::Uid* iid : {&vst3::FUnknown::iid, &vst3::IPlugView::iid}) {
    ASSERT_EQ(view->queryInterface(Iid(*iid), &obj), vst3::kResultOk);
    EXPECT_EQ(obj, static_cast<vst3::IPlugView*>(view));
    view->release();
  }
  obj = view;
  EXPECT_EQ(view->queryInterface(Iid(vst3::IPlugFrame::iid), &obj), vst3::kNoInterface);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(view->queryInterface(Iid(vst3::IPlugView::iid), nullptr), vst3::kInvalidArgument);

  EXPECT_EQ(view->addRef(), 2u);
  EXPECT_EQ(view->release(), 1u);
  EXPECT_EQ(view->release(), 0u);
  view = nullptr;
  EXPECT_EQ(objects.References(), 1u) << "the freed view let go of the plug-in";
}

TEST_F(EditorView, EmbedsInX11WindowsAtTheEditorsSize) {
  EXPECT_EQ(view->isPlatformTypeSupported(vst3::kPlatformTypeX11EmbedWindowID), vst3::kResultTrue);
  EXPECT_EQ(view->isPlatformTypeSupported(vst3::kPlatformTypeHWND), vst3::kResultFalse);
  EXPECT_EQ(view->isPlatformTypeSupported("NSView"), vst3::kResultFalse);
  EXPECT_EQ(view->isPlatformTypeSupported(nullptr), vst3::kResultFalse);

  vst3::ViewRect size{};
  ASSERT_EQ(view->getSize(&size), vst3::kResultOk);
  EXPECT_EQ(size.left, 0);
  EXPECT_EQ(size.top, 0);
  EXPECT_EQ(size.right, kWidth);
  EXPECT_EQ(size.bottom, kHeight);
  EXPECT_EQ(view->getSize(nullptr), vst3::kInvalidArgument);

  vst3::ViewRect placed{10, 20, 10 + kWidth, 20 + kHeight};
  EXPECT_EQ(view->onSize(&placed), vst3::kResultOk);
  vst3::ViewRect bigger{0, 0, kWidth + 1, kHeight};
  EXPECT_EQ(view->onSize(&bigger), vst3::kResultFalse);
  vst3::ViewRect wanted{5, 7, 300, 200};
  EXPECT_EQ(view->checkSizeConstraint(&wanted), vst3::kResultTrue);
  EXPECT_EQ(wanted.right - wanted.left, kWidth);
  EXPECT_EQ(wanted.bottom - wanted.top, kHeight);
  EXPECT_EQ(wanted.left, 5) << "stays where the host put it";

  // Mouse and keys go to the editor's own window, never through the host.
  EXPECT_EQ(view->onWheel(1.0f), vst3::kResultFalse);
  EXPECT_EQ(view->onKeyDown(u'a', 0, 0), vst3::kResultFalse);
  EXPECT_EQ(view->onKeyUp(u'a', 0, 0), vst3::kResultFalse);
  EXPECT_EQ(view->onFocus(1), vst3::kResultOk);
}

TEST_F(EditorView, TakesTheHostsContentScaleAndAsksTheFrameForTheNewSize) {
  void* obj = nullptr;
  ASSERT_EQ(view->queryInterface(Iid(vst3::IPlugViewContentScaleSupport::iid), &obj),
            vst3::kResultOk);
  auto* scaling = static_cast<vst3::IPlugViewContentScaleSupport*>(obj);
  EXPECT_EQ(scaling, static_cast<vst3::IPlugViewContentScaleSupport*>(view));
  TestFrame frame(false);
  view->setFrame(&frame);

  EXPECT_EQ(scaling->setContentScaleFactor(2.0f), vst3::kResultOk);
  EXPECT_EQ(SizeOf(view), std::make_pair(2000, 840));
  ASSERT_EQ(frame.resizes.size(), 1u) << "the host's onSize back asks nothing again";
  EXPECT_EQ(SizeOf(frame.resizes[0]), std::make_pair(2000, 840));
  EXPECT_EQ(frame.onSizeAnswers[0], vst3::kResultOk);
  EXPECT_EQ(scaling->setContentScaleFactor(2.0f), vst3::kResultOk);
  EXPECT_EQ(frame.resizes.size(), 1u) << "no new size, nothing to ask";
  for (float wrong : {0.0f, -1.0f, std::nanf(""), INFINITY}) {
    EXPECT_EQ(scaling->setContentScaleFactor(wrong), vst3::kResultFalse) << wrong;
  }
  EXPECT_EQ(SizeOf(view), std::make_pair(2000, 840));

  // A corner drag: the largest size of the editor's proportions within the
  // rect, where the host put it; the size given is the new scale.
  EXPECT_EQ(view->canResize(), vst3::kResultTrue);
  vst3::ViewRect dragged{10, 20, 1710, 920};
  EXPECT_EQ(view->checkSizeConstraint(&dragged), vst3::kResultTrue);
  EXPECT_EQ(dragged.left, 10);
  EXPECT_EQ(dragged.top, 20);
  EXPECT_EQ(SizeOf(dragged), std::make_pair(1500, 630));
  EXPECT_EQ(view->onSize(&dragged), vst3::kResultOk);
  EXPECT_EQ(SizeOf(view), std::make_pair(1500, 630));
  vst3::ViewRect between{0, 0, 1700, 900};
  EXPECT_EQ(view->onSize(&between), vst3::kResultFalse) << "not one of the editor's sizes";
  EXPECT_EQ(SizeOf(view), std::make_pair(1500, 630)) << "the fitting one taken";
  EXPECT_EQ(frame.resizes.size(), 1u) << "the host made these sizes: nothing to ask";

  // Without a frame the size changes all the same; the host asks getSize.
  view->setFrame(nullptr);
  EXPECT_EQ(scaling->setContentScaleFactor(1.0f), vst3::kResultOk);
  EXPECT_EQ(SizeOf(view), std::make_pair(kWidth, kHeight));
  EXPECT_EQ(frame.resizes.size(), 1u);
  scaling->release();
  EXPECT_EQ(frame.references, 0u);
}

TEST_F(AttachedEditorView, OpensAChildOfTheHostWindowDrivenByTheRunLoop) {
  ASSERT_EQ(Attach(frame), vst3::kResultOk);
  const Window window = EditorWindow();
  ASSERT_NE(window, 0UL);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(host->Connection(), window, &attributes));
  EXPECT_EQ(attributes.width, kWidth);
  EXPECT_EQ(attributes.height, kHeight);

  ASSERT_EQ(frame.timers.size(), 1u);
  EXPECT_EQ(frame.timers[0].ms, Vst3EditorView::kTimerPeriodMs);
  ASSERT_EQ(frame.watches.size(), 1u);
  EXPECT_GE(frame.watches[0].fd, 0);
  EXPECT_EQ(frame.watches[0].fd, plug->Editor()->EventFileDescriptor());

  // A second host window is refused, and nothing is registered twice.
  TestHostWindow other(kWidth, kHeight);
  EXPECT_EQ(view->attached(other.Handle(), vst3::kPlatformTypeX11EmbedWindowID),
            vst3::kResultFalse);
  EXPECT_TRUE(other.Children().empty());
  EXPECT_EQ(frame.timers.size(), 1u);
  EXPECT_EQ(frame.watches.size(), 1u);

  ASSERT_EQ(view->removed(), vst3::kResultOk);
  EXPECT_TRUE(frame.timers.empty());
  EXPECT_TRUE(frame.watches.empty());
  EXPECT_TRUE(Children().empty());
  EXPECT_EQ(view->removed(), vst3::kResultFalse);

  // Removed, it attaches again.
  ASSERT_EQ(view->attached(host->Handle(), vst3::kPlatformTypeX11EmbedWindowID), vst3::kResultOk);
  EXPECT_EQ(Children().size(), 1u);
  EXPECT_EQ(frame.timers.size(), 1u);
  EXPECT_EQ(view->removed(), vst3::kResultOk);
}

TEST_F(AttachedEditorView, AtTwiceTheContentScaleTheWindowIsTwiceAsLarge) {
  ASSERT_EQ(Attach(frame), vst3::kResultOk);
  auto* scaling = static_cast<vst3::IPlugViewContentScaleSupport*>(view);
  ASSERT_EQ(scaling->setContentScaleFactor(2.0f), vst3::kResultOk);
  ASSERT_EQ(frame.resizes.size(), 1u);
  EXPECT_EQ(SizeOf(frame.resizes[0]), std::make_pair(2000, 840));
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(host->Connection(), EditorWindow(), &attributes));
  EXPECT_EQ(attributes.width, 2000);
  EXPECT_EQ(attributes.height, 840);
  // The part of the window the host window shows is the drawing at 2.0.
  EXPECT_TRUE(frame.RunUntil([&] { return ShowsTheDrawing(kBackgroundBand); }));
  EXPECT_EQ(view->removed(), vst3::kResultOk);
}

TEST_F(AttachedEditorView, RefusesAnotherPlatformOrNoParent) {
  view->setFrame(&frame);
  EXPECT_EQ(view->attached(nullptr, vst3::kPlatformTypeX11EmbedWindowID), vst3::kInvalidArgument);
  EXPECT_EQ(view->attached(host->Handle(), vst3::kPlatformTypeHWND), vst3::kResultFalse);
  EXPECT_EQ(view->attached(host->Handle(), nullptr), vst3::kResultFalse);
  EXPECT_TRUE(Children().empty());
  EXPECT_TRUE(frame.timers.empty());
  EXPECT_EQ(view->removed(), vst3::kResultFalse);
}

TEST_F(AttachedEditorView, TheRunLoopPaintsWhatTheEditorDrew) {
  ASSERT_EQ(Attach(frame), vst3::kResultOk);
  EXPECT_TRUE(frame.RunUntil([&] { return ShowsTheDrawing(kBackgroundBand); }));
  EXPECT_GT(frame.timerCalls, 0);
  EXPECT_EQ(view->removed(), vst3::kResultOk);
}

TEST_F(AttachedEditorView, ADragOnAKnobReachesTheParameterThroughTheRunLoop) {
  EditRecorder edits;
  plug->setComponentHandler(&edits);
  ASSERT_EQ(Attach(frame), vst3::kResultOk);
  frame.Run(100);
  const Window window = EditorWindow();
  const int fdCallsBefore = frame.fdCalls;
  const double before = Wow();

  ASSERT_TRUE(host->MovePointer(window, kWowX, kWowY));
  ASSERT_TRUE(host->Button(Button1, true));
  frame.Run(10);
  for (int step = 1; step <= 4; ++step) {
    host->MovePointer(window, kWowX, kWowY - 5 * step);
    frame.Run(10);
  }
  host->Button(Button1, false);
  EXPECT_TRUE(frame.RunUntil([&] { return edits.For(kWowParam) == "bpe"; }))
      << "the gesture reaches the host as one edit: " << edits.For(kWowParam);
  // Knobs are 64 pixels tall with gearing 4: 20 pixels up add 20 / 256.
  EXPECT_NEAR(Wow(), before + 20.0 / 256.0, 1e-6);
  EXPECT_GT(frame.fdCalls, fdCallsBefore) << "input came in through the watched connection";
  EXPECT_EQ(view->removed(), vst3::kResultOk);
  plug->setComponentHandler(nullptr);
}

// A double-click sets the knob back to its default, which hosts hear as an
// edit of its own, begun and ended, with nothing left open after it.
TEST_F(AttachedEditorView, ADoubleClickOnAKnobReachesTheHostAsOneEdit) {
  EditRecorder edits;
  plug->setComponentHandler(&edits);
  ASSERT_EQ(plug->setParamNormalized(kWowParam, 0.9), vst3::kResultOk);
  ASSERT_EQ(Attach(frame), vst3::kResultOk);
  frame.Run(100);
  const Window window = EditorWindow();
  ASSERT_TRUE(host->MovePointer(window, kWowX, kWowY));
  for (int click = 0; click < 2; ++click) {
    host->Button(Button1, true);
    frame.Run(5);
    host->Button(Button1, false);
    frame.Run(5);
  }
  EXPECT_TRUE(frame.RunUntil([&] { return Wow() == plug->GetParam(kWowParam)->ToNormalized(
                                                          plug->GetParam(kWowParam)->Default()); }));
  frame.Run(50);
  // The first click is a gesture of its own; the second sets the default.
  EXPECT_EQ(edits.For(kWowParam), "bebpe");
  EXPECT_EQ(view->removed(), vst3::kResultOk);
  plug->setComponentHandler(nullptr);
}

// What the host sets, by its controller or in process, the open editor
// shows once its run loop has turned.
TEST_F(AttachedEditorView, TheHostsChangesReachTheEditor) {
  ASSERT_EQ(Attach(frame), vst3::kResultOk);
  frame.Run(20);
  auto knobValue = [this] {
    IGraphics* graphics = plug->Product().Graphics();
    for (int i = 0; i < graphics->NControls(); ++i) {
      if (graphics->GetControl(i)->ParamIdx() == kWowParam) return graphics->GetControl(i)->Value();
    }
    return -1.0;
  };
  ASSERT_EQ(plug->setParamNormalized(kWowParam, 0.75), vst3::kResultOk);
  EXPECT_TRUE(frame.RunUntil([&] { return knobValue() == 0.75; })) << knobValue();

  ParameterChanges changes;
  changes.Add(kWowParam, 17, 0.25);
  float left[64] = {}, right[64] = {};
  float* io[2] = {left, right};
  vst3::AudioBusBuffers bus{2, 0, {}};
  bus.channelBuffers32 = io;
  vst3::ProcessSetup setup{vst3::kRealtime, vst3::kSample32, 64, 44100.0};
  ASSERT_EQ(plug->setupProcessing(setup), vst3::kResultOk);
  vst3::ProcessData data{vst3::kRealtime, vst3::kSample32, 64, 1, 1, &bus, &bus,
                         &changes, nullptr, nullptr, nullptr, nullptr};
  ASSERT_EQ(plug->process(data), vst3::kResultOk);
  EXPECT_TRUE(frame.RunUntil([&] { return knobValue() == 0.25; })) << knobValue();
  EXPECT_EQ(view->removed(), vst3::kResultOk);
}

TEST_F(AttachedEditorView, AFrameWithoutARunLoopStillGetsTheWindow) {
  ASSERT_EQ(Attach(looplessFrame), vst3::kResultOk);
  EXPECT_NE(EditorWindow(), 0UL);
  EXPECT_EQ(view->removed(), vst3::kResultOk);
  EXPECT_TRUE(Children().empty());
}

TEST_F(AttachedEditorView, EveryReferenceTakenIsGivenBack) {
  ASSERT_EQ(Attach(frame), vst3::kResultOk);
  EXPECT_GE(frame.references, 1u);
  frame.Run(50);

  // A new frame while attached moves the handlers to its run loop.
  TestFrame next(true);
  ASSERT_EQ(view->setFrame(&next), vst3::kResultOk);
  EXPECT_EQ(frame.references, 0u);
  EXPECT_TRUE(frame.timers.empty());
  EXPECT_TRUE(frame.watches.empty());
  EXPECT_EQ(next.timers.size(), 1u);
  EXPECT_EQ(next.watches.size(), 1u);

  ASSERT_EQ(view->removed(), vst3::kResultOk);
  ASSERT_EQ(view->setFrame(nullptr), vst3::kResultOk);
  EXPECT_EQ(next.references, 0u);
  EXPECT_EQ(view->release(), 0u) << "the run loop holds no handler any more";
  view = nullptr;
  EXPECT_EQ(plug->release(), 0u) << "the plug-in is freed with the host's last reference";
  objects->plug = nullptr;
}

TEST_F(AttachedEditorView, AViewLetGoWhileAttachedClosesItsWindow) {
  ASSERT_EQ(Attach(looplessFrame), vst3::kResultOk);
  ASSERT_NE(EditorWindow(), 0UL);
  EXPECT_EQ(view->release(), 0u);
  view = nullptr;
  EXPECT_TRUE(Children().empty());
  EXPECT_EQ(looplessFrame.references, 0u);
  EXPECT_EQ(objects->References(), 1u);
}

TEST_F(AttachedEditorView, AViewLetGoWhileARunLoopHasItsHandlersIsFreedOnce) {
  frame.holdsHandlers = false;
  ASSERT_EQ(Attach(frame), vst3::kResultOk);
  frame.Run(50);
  EXPECT_EQ(view->release(), 0u);
  view = nullptr;
  EXPECT_TRUE(frame.timers.empty());
  EXPECT_TRUE(frame.watches.empty());
  EXPECT_TRUE(Children().empty());
  EXPECT_EQ(frame.references, 0u);
  EXPECT_EQ(objects->References(), 1u);
}
