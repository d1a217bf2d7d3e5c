// The flag that marks a page's own text exchange.
#include "pages/TextExchange.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zelora {
namespace {

TEST(TextExchange, StaysBusyUntilTheOutermostExchangeEndsEvenOnAnException)
{
    TextExchange exchange;
    exchange.Run([&] {
        exchange.Run([] {});
        EXPECT_TRUE(exchange.Busy());
    });
    EXPECT_FALSE(exchange.Busy());
    EXPECT_THROW(exchange.Run([] { throw std::runtime_error("x"); }), std::runtime_error);
    EXPECT_FALSE(exchange.Busy());
}

}  // namespace
}  // namespace zelora
