#include "diagram/DiagramKeys.h"

#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

using diagram::TDirection;

namespace {

// Boxes placed by hand, each with a picture of its own.
struct TBoxes {
    TDefinedArray defs;
    TVertexList master{TVertexList::Ownership::Owns};

    TVertex* Box(const std::string& name, TVertex::Rect box)
    {
        auto* v = new TVertex(defs.Add(new TDefBase(kinds::Picture, name, nullptr)));
        v->box = box;
        master.Add(v);
        return v;
    }
};

// The rule read plainly: the angle between the direction and the line from centre to centre, at
// most 45 degrees for the cone, under 90 for ahead; the nearest by straight distance, the first
// of equals. An arrow goes to the nearest in the cone, or else to the nearest ahead.
struct TNearest {
    TVertex* cone = nullptr;
    TVertex* ahead = nullptr;
};

TNearest ReferenceNearest(const TVertexList& master, const TVertex& from, TDirection direction)
{
    const double heading[] = {std::numbers::pi, 0, -std::numbers::pi / 2, std::numbers::pi / 2};
    const auto centre = [](const TVertex& v) {
        return std::pair((v.box.left + v.box.right) / 2.0, (v.box.top + v.box.bottom) / 2.0);
    };
    // Plain names, not a structured binding: the lambda below captures them.
    const std::pair<double, double> fromCentre = centre(from);
    const double fx = fromCentre.first, fy = fromCentre.second;
    constexpr double kSlack = 1e-9;
    const auto nearest = [&](double widest) {
        TVertex* best = nullptr;
        double bestDistance = 0;
        for (TVertex* v : master) {
            const auto [x, y] = centre(*v);
            if (x == fx && y == fy)
                continue;
            double turn = std::atan2(y - fy, x - fx) - heading[static_cast<int>(direction)];
            turn = std::remainder(turn, 2 * std::numbers::pi);
            const double distance = std::hypot(x - fx, y - fy);
            if (std::abs(turn) <= widest && (!best || distance < bestDistance))
                best = v, bestDistance = distance;
        }
        return best;
    };
    return {nearest(std::numbers::pi / 4 + kSlack), nearest(std::numbers::pi / 2 - kSlack)};
}

int Rand(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

} // namespace

TEST(DiagramKeys, ArrowGoesWhereTheAngleAndDistanceSay)
{
    std::mt19937 random(6);
    // How often the cone wins over a nearer box aside, a box aside is taken for want of one in
    // the cone, and there is nothing ahead at all.
    int passedOver = 0, widened = 0, none = 0;
    for (int round = 0; round < 400; ++round) {
        TBoxes boxes;
        const int count = Rand(random, 1, 12);
        for (int i = 0; i < count; ++i) {
            // Small coordinates, so that centres tie and lie on the cone's edges often.
            const int left = Rand(random, 0, 12), top = Rand(random, 0, 12);
            boxes.Box("p" + std::to_string(i),
                      {left, top, left + Rand(random, 1, 6), top + Rand(random, 1, 6)});
        }
        for (TVertex* from : boxes.master)
            for (TDirection direction :
                 {TDirection::Left, TDirection::Right, TDirection::Up, TDirection::Down}) {
                const TNearest expected = ReferenceNearest(boxes.master, *from, direction);
                ASSERT_EQ(diagram::Nearest(boxes.master, *from, direction),
                          expected.cone ? expected.cone : expected.ahead)
                    << round << " " << from->element->name << " " << static_cast<int>(direction);
                passedOver += expected.cone && expected.ahead != expected.cone ? 1 : 0;
                widened += !expected.cone && expected.ahead ? 1 : 0;
                none += expected.ahead ? 0 : 1;
            }
    }
    EXPECT_GT(passedOver, 0);
    EXPECT_GT(widened, 0);
    EXPECT_GT(none, 0);
}

TEST(DiagramKeys, NearestToAPointIsTheBoxWithTheNearestCentre)
{
    TBoxes boxes;
    EXPECT_EQ(diagram::NearestTo(boxes.master, {0, 0}), nullptr);
    TVertex* a = boxes.Box("a", {0, 0, 10, 10});
    TVertex* b = boxes.Box("b", {20, 0, 30, 10});
    EXPECT_EQ(diagram::NearestTo(boxes.master, {14, 5}), a);
    EXPECT_EQ(diagram::NearestTo(boxes.master, {15, 5}), a); // equally near: the first
    EXPECT_EQ(diagram::NearestTo(boxes.master, {16, 5}), b);
}

TEST(DiagramKeys, IntoViewShowsTheWholeBoxWithTheLeastScroll)
{
    std::mt19937 random(9);
    for (int round = 0; round < 2000; ++round) {
        const TVertex::Rect view{Rand(random, -20, 20), Rand(random, -20, 20), 0, 0};
        const TVertex::Rect v{view.left, view.top, view.left + Rand(random, 1, 30),
                              view.top + Rand(random, 1, 30)};
        const int left = Rand(random, -60, 60), top = Rand(random, -60, 60);
        const TVertex::Rect box{left, top, left + Rand(random, 1, 40), top + Rand(random, 1, 40)};
        const TVertex::Point d = diagram::IntoView(box, v);
        // The least shift along each axis after which the box lies in the view, or starts at its
        // edge when it can't.
        const auto least = [](int low, int high, int viewLow, int viewHigh) {
            std::optional<int> best;
            for (int s = -200; s <= 200; ++s) {
                const bool shows = high - low > viewHigh - viewLow
                                       ? low == viewLow + s
                                       : low >= viewLow + s && high <= viewHigh + s;
                if (shows && (!best || std::abs(s) < std::abs(*best)))
                    best = s;
            }
            return *best;
        };
        ASSERT_EQ(d.x, least(box.left, box.right, v.left, v.right)) << round;
        ASSERT_EQ(d.y, least(box.top, box.bottom, v.top, v.bottom)) << round;
    }
}

TEST(DiagramKeys, TypedLettersPickTheNextBoxWhoseNameStartsWithThem)
{
    TBoxes boxes;
    TVertex* born = boxes.Box("BORN", {});
    TVertex* bar = boxes.Box("bar", {});
    TVertex* city = boxes.Box("city", {});
    TVertex* baz = boxes.Box("Baz", {});
    const struct {
        TVertex* from;
        const char* text;
        bool fromItself;
        TVertex* expected;
    } cases[] = {
        {nullptr, "b", false, born}, {born, "b", false, bar},         {bar, "b", false, baz},
        {baz, "b", false, born},     {bar, "ba", true, bar},          {bar, "BAZ", true, baz},
        {city, "c", false, city},    {city, "c", true, city},         {born, "x", false, nullptr},
        {born, "", false, nullptr},  {born, "borne", false, nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(diagram::NextStartingWith(boxes.master, c.from, c.text, c.fromItself), c.expected)
            << c.text << " " << (c.from ? c.from->element->name : "-");
}
