// Draws the editor's images at every factor of kImageSetFactors and, on
// request, a preview of the whole editor at 1x.
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

bool WritePreview(const ArtworkSet& set, const std::string& path) {
  ArtImage preview(EditorGeometry::kWidth, EditorGeometry::kHeight);
  PreviewComposer::Compose(set, preview);
  if (preview.WritePng(path)) return true;
  std::fprintf(stderr, "kestravon-artwork: cannot write %s\n", path.c_str());
  return false;
}

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
  for (int factor : kImageSetFactors) {
    set.DrawAll(factor);
    if (!set.WriteAll(outDir, factor)) return 1;
    if (factor == 1 && !previewPath.empty() && !WritePreview(set, previewPath)) return 1;
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
