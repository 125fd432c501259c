// Draws the editor's images and, on request, a preview of the whole editor.
//   kestravon-artwork [--out DIR] [--preview FILE]
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ArtworkSet.h"
#include "EditorGeometry.h"
#include "PreviewComposer.h"

namespace {

int Run(int argc, char** argv) {
  std::string outDir = "resources/img";
  std::string previewPath;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      outDir = argv[++i];
    } else if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc) {
      previewPath = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--out DIR] [--preview FILE]\n", argv[0]);
      return 2;
    }
  }
  ArtworkSet set;
  set.DrawAll();
  if (!set.WriteAll(outDir)) return 1;
  if (!previewPath.empty()) {
    ArtImage preview(EditorGeometry::kWidth, EditorGeometry::kHeight);
    PreviewComposer::Compose(set, preview);
    if (!preview.WritePng(previewPath)) {
      std::fprintf(stderr, "kestravon-artwork: cannot write %s\n", previewPath.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int status = Run(argc, argv);
  // Frees cairo's and fontconfig's caches so leak checkers see a clean exit.
  cairo_debug_reset_static_data();
  FcFini();
  return status;
}
