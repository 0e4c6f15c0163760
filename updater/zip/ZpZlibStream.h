// updater/zip/ZpZlibStream.h -- for updater/zip/*.cpp only: zlib's header and the shared stream set-up
#pragma once

#include <zlib.h>

namespace zp::zlib::internal {
void PrepareStream(z_stream& s);   // zeroed, with the engine's memory hooks
}
