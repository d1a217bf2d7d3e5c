#pragma once
// Which registry view a Win32 backend opens its keys in. The decoders are 32-bit, so the
// programs' own settings live in the 32-bit view; the 64-bit view matters only for what
// 64-bit players read (their preferred decoders).

namespace zelora {

enum class RegistryView { Bits32, Bits64 };

}  // namespace zelora
