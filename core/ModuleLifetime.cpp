#include "core/ModuleLifetime.h"

std::mutex ModuleLifetime::lock;
int ModuleLifetime::entries = 0;

bool ModuleLifetime::Enter() {
  std::lock_guard<std::mutex> guard(lock);
  ++entries;
  return true;
}

bool ModuleLifetime::Exit() {
  std::lock_guard<std::mutex> guard(lock);
  if (entries == 0) return false;
  --entries;
  return true;
}

