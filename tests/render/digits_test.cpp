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
        // Digit d is d + 3 pixels wide, in a red of its own.
        for (int d = 0; d < 10; ++d)
            digits[d] = solid(d + 3, 12, static_cast<Uint8>(20 * d + 20), 0, 0);
        digits[10] = solid(5, 12, 255, 255, 255);
    }

    // Reads back the digits drawn along row y from x on, checking that each
    // one takes exactly its own width and that nothing lies before x.
    std::string readNumber(int x, int y)
    {
        EXPECT_EQ(rgb(canvas, x - 1, y), 0u);
        std::string text;
        while (x < canvas->w && rgb(canvas, x, y) != 0) {
            const Uint32 colour = rgb(canvas, x, y);
            const int d = static_cast<int>((colour >> 16) - 20) / 20;
            EXPECT_EQ(colour, static_cast<Uint32>(20 * d + 20) << 16);
            for (int i = 0; i < d + 3; ++i)
                EXPECT_EQ(rgb(canvas, x + i, y), colour) << text;
            text += static_cast<char>('0' + d);
            x += d + 3;
        }
        return text;
    }

    std::string drawn(int n)
    {
        SDL_FillRect(canvas, nullptr, 0);
        drawNumber(canvas, 40, 30, n);
        EXPECT_EQ(rgb(canvas, 40, 29), 0u); // the top-left is at (40, 30)
        return readNumber(40, 30);
    }
};

TEST_F(Digits, ZeroIsOneZero)
{
    EXPECT_EQ(drawn(0), "0");
}

TEST_F(Digits, OneDigit)
{
    EXPECT_EQ(drawn(7), "7");
}

TEST_F(Digits, PowersOfTenKeepTheirZeros)
{
    EXPECT_EQ(drawn(10), "10");
    EXPECT_EQ(drawn(100), "100");
    EXPECT_EQ(drawn(1000), "1000");
}

TEST_F(Digits, EachDigitAdvancesByItsOwnWidth)
{
    EXPECT_EQ(drawn(9180), "9180");
    EXPECT_EQ(drawn(734), "734");
}

TEST_F(Digits, NegativeNumberDrawsNothing)
{
    drawn(-5);
    EXPECT_EQ(countLit(canvas), 0);
    drawn(INT_MIN);
    EXPECT_EQ(countLit(canvas), 0);
}

TEST_F(Digits, LargestIntDrawsAllItsDigits)
{
    EXPECT_EQ(drawn(INT_MAX), "2147483647");
}

TEST_F(Digits, MissingDigitImageTakesNoRoom)
{
    digits[1] = nullptr;
    EXPECT_EQ(drawn(212), "22");
    for (SDL_Surface*& d : digits)
        d = nullptr;
    drawNumber(canvas, 40, 30, 9876);
    SDL_FillRect(canvas, nullptr, 0);
    drawNumber(canvas, 40, 30, 9876);
    EXPECT_EQ(countLit(canvas), 0);
}
