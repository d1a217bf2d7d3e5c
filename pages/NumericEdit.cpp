#include "pages/NumericEdit.h"

#include "platform/text/Text.h"

namespace zelora {

void ClampEditNumber(std::string& target, std::string_view maxText, std::string_view minText)
{
    const std::int32_t value = DecimalTextToInt(target);
    if (value > DecimalTextToInt(maxText)) {
        target = maxText;
    } else if (value < DecimalTextToInt(minText)) {
        target = minText;
    }
}

}  // namespace zelora
