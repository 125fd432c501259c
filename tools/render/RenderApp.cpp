#include "tools/render/RenderApp.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "tools/render/DemoClip.h"
#include "tools/render/EditorSnapshot.h"
#include "core/FxFiles.h"
#include "tools/render/ParameterCatalog.h"
#include "tools/render/ParameterSetter.h"
#include "tools/render/PresetTransfer.h"
#include "tools/render/ProgressBar.h"
#include "tools/render/Renderer.h"
#include "tools/render/TextCompare.h"

#ifndef KESTRAVON_DEFAULT_PLUGIN
#define KESTRAVON_DEFAULT_PLUGIN "Kestravon.so"
#endif

namespace {

constexpr double kDefaultSampleRate = 44100.0;

bool AllDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool SameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  return fs::equivalent(a, b, ignored) ||
         fs::absolute(a, ignored).lexically_normal() == fs::absolute(b, ignored).lexically_normal();
}

bool BadCommandLine(RunError* error) {
  error->status = CommandLine::kExitBadCommandLine;
  return false;
}

bool BadCommandLine(const std::string& message, RunError* error) {
  error->message = message;
  return BadCommandLine(error);
}

}  // namespace

int RenderApp::Run() {
  RunError error;
  if (!Prepare(&error) || !Produce(&error)) {
    std::fprintf(stderr, "kestravon-render: error: %s\n", error.message.c_str());
    return error.status;
  }
  return 0;
}

// Everything that can refuse the command line, and nothing that writes.
bool RenderApp::Prepare(RunError* error) {
  sampleRate = options.sampleRate > 0.0 ? options.sampleRate : kDefaultSampleRate;
  return CheckInputs(error) && CheckOutputs(error) && (InputIsDemoClip() || OpenInput(error)) &&
         (!NeedsPlugin() || (LoadPlugin(error) && ApplyState(error)));
}

bool RenderApp::Produce(RunError* error) {
  return WriteDemoClip(error) && (!InputIsDemoClip() || OpenInput(error)) &&
         (!NeedsPlugin() || (SaveState(error) && PictureEditor(error) && RenderInput(error)));
}

std::string RenderApp::DefaultPluginPath() {
  namespace fs = std::filesystem;
  std::vector<fs::path> candidates;
  std::error_code ignored;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ignored);
  if (!exe.empty()) {
    const fs::path dir = exe.parent_path();
    // Beside the executable, at the top of its build tree, or installed with
    // it (bin/ and the package's VST 2 folder under one prefix). These come
    // before the path compiled in, so a packaged copy never picks up the
    // tree it was built in.
    candidates.push_back(dir / "Kestravon.so");
    candidates.push_back(dir / ".." / ".." / "Kestravon.so");
    candidates.push_back(dir / ".." / KESTRAVON_PACKAGE_VST_DIR / "Kestravon.so");
  }
  candidates.push_back(KESTRAVON_DEFAULT_PLUGIN);
  for (const fs::path& candidate : candidates) {
    if (fs::is_regular_file(candidate, ignored)) return candidate.lexically_normal().string();
  }
  return KESTRAVON_DEFAULT_PLUGIN;
}

bool RenderApp::CheckInputs(RunError* error) const {
  const std::pair<const char*, const std::string*> inputs[] = {{"--plugin", &options.pluginPath},
                                                               {"--input", &options.inputPath},
                                                               {"--load-fxb", &options.loadFxb},
                                                               {"--load-fxp", &options.loadFxp}};
  for (const auto& [option, path] : inputs) {
    if (path->empty() || (path == &options.inputPath && InputIsDemoClip())) continue;
    std::error_code ignored;
    if (!std::filesystem::exists(*path, ignored)) {
      return BadCommandLine(std::string(option) + " " + *path + ": no such file", error);
    }
  }
  return true;
}

bool RenderApp::CheckOutputs(RunError* error) const {
  if (!options.inputPath.empty() && SameFile(options.inputPath, options.outputPath)) {
    return BadCommandLine("--output " + options.outputPath + " would overwrite the input", error);
  }
  for (const std::string* audio : {&options.outputPath, &options.demoClipPath}) {
    if (!audio->empty() && !AudioFile::CheckOutputName(*audio, options.format, &error->message)) {
      return BadCommandLine(error);
    }
  }
  return true;
}

// The demo clip this run writes may be its input too.
bool RenderApp::InputIsDemoClip() const {
  return !options.inputPath.empty() && !options.demoClipPath.empty() &&
         SameFile(options.inputPath, options.demoClipPath);
}

bool RenderApp::WriteDemoClip(RunError* error) {
  if (options.demoClipPath.empty()) return true;
  const double rate = options.sampleRate > 0.0 ? options.sampleRate : kDefaultSampleRate;
  const DemoClip clip(rate, options.demoSeconds);
  AudioFile file;
  std::string note;
  if (!file.OpenWrite(options.demoClipPath, 2, static_cast<int>(std::lround(rate)), options.format,
                      SF_FORMAT_FLOAT, &error->message, &note)) {
    return false;
  }
  if (!file.Write(clip.Frames().data(), clip.FrameCount()) || !file.Close(&error->message)) {
    if (error->message.empty()) error->message = "writing " + options.demoClipPath + " failed";
    return false;
  }
  Note("wrote the demo clip " + options.demoClipPath);
  return true;
}

bool RenderApp::OpenInput(RunError* error) {
  if (options.inputPath.empty()) return true;
  if (!input.OpenRead(options.inputPath, &error->message)) return false;
  haveInput = true;
  if (options.sampleRate <= 0.0) {
    sampleRate = input.SampleRate();
  } else if (std::lround(options.sampleRate) != input.SampleRate()) {
    Note("treating " + options.inputPath + " as " + std::to_string(std::lround(sampleRate)) +
         " Hz (it says " + std::to_string(input.SampleRate()) + " Hz)");
  }
  return true;
}

bool RenderApp::NeedsPlugin() const {
  return !options.inputPath.empty() || options.list || !options.program.empty() ||
         !options.assignments.empty() || !options.loadFxp.empty() || !options.saveFxp.empty() ||
         !options.loadFxb.empty() || !options.saveFxb.empty() || !options.editorPng.empty();
}

bool RenderApp::LoadPlugin(RunError* error) {
  const std::string path = options.pluginPath.empty() ? DefaultPluginPath() : options.pluginPath;
  if (!host.Load(path, &error->message)) return false;
  host.Open(sampleRate, options.blockSize);
  return true;
}

bool RenderApp::ApplyState(RunError* error) {
  PresetTransfer transfer(host);
  if (!options.loadFxb.empty() && !transfer.LoadBankFile(options.loadFxb, &error->message)) {
    return false;
  }
  if (!SelectProgram(error)) return false;
  if (!options.loadFxp.empty() && !transfer.LoadProgramFile(options.loadFxp, &error->message)) {
    return false;
  }
  ParameterSetter setter(host);
  for (const std::string& assignment : options.assignments) {
    if (!setter.Apply(assignment, &error->message)) return BadCommandLine(error);
  }
  if (options.list) ListPlugin();
  return true;
}

bool RenderApp::SelectProgram(RunError* error) {
  const std::string& wanted = options.program;
  if (wanted.empty()) return true;
  if (AllDigits(wanted)) {
    const long index = wanted.size() < 10 ? std::stol(wanted) : -1;
    if (index < 0 || index >= host.NumPrograms()) {
      return BadCommandLine("unknown program " + wanted + " (the plug-in has " +
                                std::to_string(host.NumPrograms()) + " programs)",
                            error);
    }
    host.SetProgram(static_cast<int>(index));
    return true;
  }
  for (int i = 0; i < host.NumPrograms(); ++i) {
    if (SameText(host.ProgramName(i), wanted)) {
      host.SetProgram(i);
      return true;
    }
  }
  return BadCommandLine("unknown program '" + wanted + "' (--list shows the programs)", error);
}

void RenderApp::ListPlugin() {
  std::printf("plug-in: %s, id '%s', version %d, %d in / %d out, latency %d\n",
              host.EffectName().c_str(), FxFiles::IdText(host.UniqueId()).c_str(),
              host.PluginVersion(), host.NumInputs(), host.NumOutputs(), host.Latency());
  std::printf("parameters: %d\n", host.NumParams());
  ParameterCatalog catalog(host);
  for (int i = 0; i < host.NumParams(); ++i) {
    const std::string value = host.ParamDisplay(i) + " " + host.ParamLabel(i);
    const float normalized = host.GetParam(i);
    // The normalised value stays the last field, where scripts read it.
    std::printf("%4d  %-24s %-20s %-32s %.6f\n", i, host.ParamName(i).c_str(), value.c_str(),
                catalog.Values(i).Text().c_str(), normalized);
  }
  std::printf("programs: %d (current %d)\n", host.NumPrograms(), host.CurrentProgram());
  for (int i = 0; i < host.NumPrograms(); ++i) {
    std::printf("%4d  %s\n", i, host.ProgramName(i).c_str());
  }
  std::fflush(stdout);
}

bool RenderApp::SaveState(RunError* error) {
  PresetTransfer transfer(host);
  std::string* message = &error->message;
  if (!options.saveFxp.empty() && !transfer.SaveProgramFile(options.saveFxp, message)) return false;
  if (!options.saveFxb.empty() && !transfer.SaveBankFile(options.saveFxb, message)) return false;
  return true;
}

bool RenderApp::PictureEditor(RunError* error) {
  if (options.editorPng.empty()) return true;
  if (options.editorScale > 0.0 && !host.SetEditorScale(options.editorScale)) {
    error->message = "the plug-in does not take a scale for its editor";
    return false;
  }
  if (!EditorSnapshot(host).Save(options.editorPng, &error->message)) return false;
  Note("wrote the editor picture " + options.editorPng);
  return true;
}

bool RenderApp::RenderInput(RunError* error) {
  if (!haveInput) return true;
  if (input.Channels() > host.NumInputs() && !(input.Channels() == 1)) {
    error->message = options.inputPath + " has " + std::to_string(input.Channels()) +
                     " channels, the plug-in only " + std::to_string(host.NumInputs()) + " inputs";
    return false;
  }
  if (input.Channels() == 1 && host.NumInputs() > 1) {
    Note("mono input: feeding it to all " + std::to_string(host.NumInputs()) +
         " inputs and writing " + std::to_string(host.NumOutputs()) + " channels");
  }
  AudioFile output;
  std::string note;
  if (!output.OpenWrite(options.outputPath, host.NumOutputs(),
                        static_cast<int>(std::lround(sampleRate)), options.format, input.Subtype(),
                        &error->message, &note)) {
    return false;
  }
  if (!note.empty()) Note(note);

  RenderSettings settings;
  settings.blockSize = options.blockSize;
  settings.compensateLatency = options.compensateLatency;
  settings.tailFrames = std::llround(options.tailSeconds * sampleRate);
  settings.useDouble = options.useDouble;
  Renderer renderer(host, settings);
  ProgressBar progress(!options.quiet && (options.progress || isatty(STDERR_FILENO)), stderr);
  host.Resume();
  const bool rendered = renderer.Render(
      input.Channels(), input.Frames(),
      [this](double* frames, int64_t count) { return input.Read(frames, count); },
      [&output](const double* frames, int64_t count) { return output.Write(frames, count); },
      progress, &error->message);
  host.Suspend();
  if (!rendered || !output.Close(&error->message)) {
    // A cut-off file would pass for a finished render.
    std::error_code ignored;
    std::filesystem::remove(options.outputPath, ignored);
    return false;
  }
  if (settings.compensateLatency && renderer.DroppedFrames() > 0) {
    Note("latency of " + std::to_string(renderer.DroppedFrames()) + " samples compensated");
  }
  Note("wrote " + options.outputPath);
  return true;
}

void RenderApp::Note(const std::string& text) const {
  if (!options.quiet) std::fprintf(stderr, "kestravon-render: %s\n", text.c_str());
}
