// Numbers drawn with digit images of their own widths.
#include "render/hud.h"
#include "render_fixture.h"

#include <climits>
#include <string>

using namespace tether;

class Digits : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        for (int d = 0; d < 10; ++d) // digit d: d + 3 pixels wide, in a red of its own
            digits[d] = solid(d + 3, 12, static_cast<Uint8>(20 * d + 20), 0, 0);
    }

    // Draws n at (40, 30) and reads the digits back, checking that each
    // takes exactly its own width.
    std::string drawn(int n)
    {
        clear();
        drawNumber(canvas, 40, 30, n);
        EXPECT_EQ(rgb(canvas, 39, 30) | rgb(canvas, 40, 29), 0u);
        std::string text;
        for (int x = 40; rgb(canvas, x, 30) != 0;) {
            const int d = static_cast<int>((rgb(canvas, x, 30) >> 16) - 20) / 20;
            for (int i = 0; i < d + 3; ++i)
                EXPECT_EQ(rgb(canvas, x + i, 30), static_cast<Uint32>(20 * d + 20) << 16);
            text += static_cast<char>('0' + d);
            x += d + 3;
        }
        return text;
    }
};

TEST_F(Digits, NumbersAreDrawnDigitByDigit)
{
    EXPECT_EQ(drawn(0), "0");
    EXPECT_EQ(drawn(7), "7");
    EXPECT_EQ(drawn(10), "10");
    EXPECT_EQ(drawn(100), "100");
    EXPECT_EQ(drawn(9180), "9180");
    EXPECT_EQ(drawn(INT_MAX), "2147483647");
}

TEST_F(Digits, NegativeNumberDrawsNothing)
{
    for (int n : {-5, INT_MIN}) {
        drawn(n);
        EXPECT_EQ(countLit(canvas), 0);
    }
}

TEST_F(Digits, MissingDigitImageTakesNoRoom)
{
    digits[1] = nullptr;
    EXPECT_EQ(drawn(212), "22");
    std::fill(digits, digits + 10, nullptr);
    drawn(9876);
    EXPECT_EQ(countLit(canvas), 0);
}
