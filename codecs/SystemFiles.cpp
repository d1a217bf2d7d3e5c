#include "codecs/SystemFiles.h"

#include "platform/win/WideText.h"

#include <windows.h>

namespace zelora {

bool SystemFiles::Exists(std::string_view path) const
{
    return ::GetFileAttributesW(win::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace zelora
