// Drawing the sprites: three layers, the screen window with its margin, rotation, translucency
// and the paint shades of ambient sprites.
#include "display/palette.h"
#include "game_fixture.h"

class SpriteDrawTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        camera_x = 5000, camera_y = 5000;
        clear_to_color(buffer, 250);
    }
    // A sprite whose picture is a w x h block of colour, placed so its corner lands at
    // screen (sx, sy).
    Sprite *block_at(int sx, int sy, int colour, int w = 10, int h = 10)
    {
        Sprite *s = make(marker_template, 0, 0);
        s->flags &= ~SPRITE_TRANSLUCENT;
        give_block_picture(s, w, h);
        clear_to_color(s->images[0].bitmap, colour);
        s->x = sx + w / 2 + camera_x - 320;
        s->y = sy + h / 2 + camera_y - 240;
        s->angle = itofix(192);  // heading north: the picture stands as it is stored
        return s;
    }
    static int at(int x, int y) { return getpixel(buffer, x, y); }
};

TEST_F(SpriteDrawTest, LayersDrawBottomThenMiddleThenTop)
{
    Sprite *top = block_at(100, 100, 3);
    set_sprite_layer(top, LAYER_TOP);
    Sprite *bottom = block_at(100, 100, 1);
    set_sprite_layer(bottom, LAYER_BOTTOM);
    Sprite *middle = block_at(100, 100, 2);
    set_sprite_layer(middle, LAYER_MIDDLE);
    Sprite *hidden = block_at(200, 100, 4);
    set_sprite_layer(hidden, LAYER_HIDDEN);
    draw_sprites();
    EXPECT_EQ(at(105, 105), 3);
    set_sprite_layer(top, LAYER_HIDDEN);
    draw_sprites();
    EXPECT_EQ(at(105, 105), 2);
    EXPECT_EQ(at(205, 105), 250);  // layer 3 is never drawn
}

TEST_F(SpriteDrawTest, WithinALayerTheOlderSpriteEndsOnTop)
{
    block_at(100, 100, 5);  // created first
    block_at(100, 100, 6);
    draw_sprites();
    EXPECT_EQ(at(105, 105), 5);
}

TEST_F(SpriteDrawTest, TheScreenWindowHasASixtyFourPixelMargin)
{
    Sprite *in = block_at(-64, 100, 7, 80, 10);
    Sprite *out = block_at(-65, 200, 8, 80, 10);
    draw_sprites();
    EXPECT_EQ(at(10, 105), 7);
    EXPECT_EQ(at(10, 205), 250);
    (void)in, (void)out;
}

TEST_F(SpriteDrawTest, PicturesTurnWithTheHeadingAndGrowWithTheScale)
{
    // A 4 x 20 bar faces north; heading east (0) draws it lying down.
    Sprite *bar = block_at(300, 200, 9, 4, 20);
    bar->angle = 0;
    draw_sprites();
    EXPECT_EQ(at(294, 210), 9);  // reaches sideways
    EXPECT_EQ(at(302, 201), 250);   // not upward
    clear_to_color(buffer, 250);
    bar->angle = itofix(192);       // heading north: upright
    bar->scale = itofix(2);
    draw_sprites();
    EXPECT_EQ(at(302, 201), 9);
}

TEST_F(SpriteDrawTest, TranslucentSpritesBlendUnturned)
{
    Sprite *glass = block_at(300, 300, 120, 4, 20);
    glass->flags |= SPRITE_TRANSLUCENT;
    glass->angle = itofix(10);
    glass->scale = itofix(3);
    draw_sprites();
    EXPECT_EQ(at(301, 301), trans_table.data[120][250]);
    EXPECT_EQ(at(301, 319), trans_table.data[120][250]);  // upright, not turned or grown
    EXPECT_EQ(at(306, 301), 250);
}

TEST_F(SpriteDrawTest, ASpriteWithoutAPictureIsSkipped)
{
    Sprite *s = block_at(100, 100, 3);
    destroy_bitmap(own_picture(s, 0));
    s->images[0].bitmap = nullptr;
    draw_sprites();
    EXPECT_EQ(at(105, 105), 250);
}

TEST_F(SpriteDrawTest, AmbientSpritesGetOnePaintShadeForAllTheirPictures)
{
    fill_random(3);
    Sprite *car = create_sprite(&car_c_template, 5000, 5000, 0, 1);
    Sprite *plain = create_sprite(&car_c_template, 5100, 5000, 0, 0);
    for (int i = 0; i < car->image_count; i++) {
        BITMAP *b = car->images[i].bitmap, *p = plain->images[i].bitmap;
        int paint = 0;
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++) {
                int c = getpixel(p, x, y);
                if (c < PAINT_FIRST || c > PAINT_LAST) {
                    ASSERT_EQ(getpixel(b, x, y), c);
                } else {
                    ASSERT_EQ(getpixel(b, x, y), c - 3 * RAMP_SIZE);
                    paint++;
                }
            }
        EXPECT_GT(paint, 50) << "a car shows its paint";
    }
}
