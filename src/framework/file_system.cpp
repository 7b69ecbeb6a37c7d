#include "framework/file_system.h"

namespace tavoli {

namespace {
FileSystem* g_current = nullptr;
}  // namespace

FileSystem& CurrentFileSystem() { return g_current ? *g_current : SystemFileSystem(); }

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous_(g_current) { g_current = &replacement; }

ScopedFileSystem::~ScopedFileSystem() { g_current = previous_; }

}  // namespace tavoli
