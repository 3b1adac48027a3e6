#include <gtest/gtest.h>

#include <set>

#include "display/display.h"
#include "display/surface.h"
#include "game/cup_rack.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "test_support.h"

namespace {

// A rack laid out where every game puts it, with the cup picture's size but no picture.
void LayOut(CupRack& rack) {
  rack.width = 80;
  rack.height = 100;
  rack.SetPosition(360, 140);
}

std::set<int> Standing(const CupRack& rack) {
  std::set<int> out;
  for (int i = 0; i < CupCount; ++i)
    if (rack.cups[i].present) out.insert(i);
  return out;
}

// Leaves exactly these cups standing, the others counted as hit.
void KeepOnly(CupRack& rack, const std::set<int>& keep) {
  for (int i = 0; i < CupCount; ++i) rack.cups[i].present = keep.count(i) ? 1 : 0;
  rack.cupsHit = CupCount - static_cast<int>(keep.size());
}

class Rerack : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    LayOut(rack);
    CurrentRack = &rack;
  }
  void TearDown() override {
    CurrentRack = nullptr;
    ReconfigurePending = 0;
    ReconfigureBanner.ReleaseSurface();
    DisplayTest::TearDown();
  }
  CupRack rack;
};

}  // namespace

TEST(HitJudgement, EveryEdgeOfTheMouthAndOfTheRimIsOutsideIt) {
  struct Case {
    int px, py, zone;
  };
  const Case cases[] = {{111, 102, InCup},      {149, 115, InCup},      {110, 108, OnRim},
                        {150, 108, OnRim},      {120, 101, OnRim},      {120, 116, OnRim},
                        {96, 101, OnRim},       {169, 117, OnRim},      {95, 108, OutsideCup},
                        {170, 108, OutsideCup}, {120, 100, OutsideCup}, {120, 118, OutsideCup}};
  Cup cup{100, 100};
  for (const Case& c : cases)
    EXPECT_EQ(CupRack::CupZone(c.px, c.py, cup), c.zone) << c.px << "," << c.py;
  cup.present = 0;
  EXPECT_EQ(CupRack::CupZone(120, 108, cup), OutsideCup);
}

TEST(HitJudgement, WhereZonesOverlapTheLowerIndexDecides) {
  CupRack rack;
  KeepOnly(rack, {0, 5});
  const int aim = 106 - 335, power = 270 - 108;  // lands at (106, 108)
  rack.cups[0] = Cup{100, 100};                  // its rim
  rack.cups[5] = Cup{95, 95};                    // its mouth
  EXPECT_EQ(rack.HitTest(power, aim), RimHit);
  rack.cups[0].present = 0;
  EXPECT_EQ(rack.HitTest(power, aim), 5);
}

TEST(HitJudgement, AClearBallIsAMissFromRowOneSixtyDownAndOverAboveIt) {
  CupRack rack;
  LayOut(rack);
  EXPECT_EQ(rack.HitTest(120, 55), 14);  // (390, 150): the back-left cup
  // x 335 lies left of every cup
  EXPECT_EQ(rack.HitTest(110, 0), Miss);  // py 160
  EXPECT_EQ(rack.HitTest(111, 0), Over);  // py 159
  KeepOnly(rack, {});
  EXPECT_EQ(rack.HitTest(49, 95), Miss);
  EXPECT_EQ(rack.HitTest(120, 55), Over);
}

TEST_F(Rerack, TheNinthRemovalLeavesTheMiddleTriangleAndPausesOnce) {
  for (int i : {0, 1, 2, 3, 5, 6, 9, 10}) rack.RemoveCup(i);
  EXPECT_EQ(platform.ticks, 0u);
  EXPECT_EQ(ReconfigurePending, 0);
  rack.RemoveCup(14);
  EXPECT_EQ(Standing(rack), (std::set<int>{4, 7, 8, 11, 12, 13}));
  EXPECT_EQ(platform.ticks, 1500u);
  EXPECT_EQ(platform.framesPresented, 1);
  EXPECT_EQ(ReconfigurePending, 1);
  // the front cup was gone already: nothing standing is full
  for (int i : Standing(rack)) EXPECT_EQ(rack.cups[i].beer, 5) << "cup " << i;
  rack.RemoveCup(4);
  EXPECT_EQ(platform.ticks, 1500u);
}

TEST_F(Rerack, CupFourHitNinthHoldsTheFullBeerOnlyIfTheFrontCupStood) {
  for (int i : {1, 2, 3, 5, 6, 9, 10, 14}) rack.RemoveCup(i);
  EXPECT_EQ(rack.RemoveCup(4), 15);
  EXPECT_EQ(rack.cups[4].present, 1);

  rack.Reset();
  for (int i : {0, 1, 2, 3, 5, 6, 9, 10}) rack.RemoveCup(i);
  EXPECT_EQ(rack.RemoveCup(4), 5);
}

TEST(PenaltyCup, TheFullCupIsSparedAndTheLastCupNeverTaken) {
  CupRack rack;
  EXPECT_TRUE(rack.TakePenaltyCup());
  EXPECT_EQ(Standing(rack).count(1), 0u);  // the lowest cup behind the front
  EXPECT_EQ(rack.CupsHit(), 1);

  KeepOnly(rack, {4, 7});
  rack.cups[4].beer = 15;  // the front of a re-rack
  EXPECT_TRUE(rack.TakePenaltyCup());
  EXPECT_EQ(Standing(rack), (std::set<int>{4}));

  KeepOnly(rack, {0, 4});
  EXPECT_TRUE(rack.TakePenaltyCup());
  EXPECT_EQ(Standing(rack), (std::set<int>{4}));
  EXPECT_FALSE(rack.TakePenaltyCup());
  EXPECT_EQ(Standing(rack), (std::set<int>{4}));
}

TEST(DrinkGaugeLevel, TheGaugeStopsAtOneHundred) {
  DrinkGauge gauge{215, 197, 20, 95};
  gauge.AddDrink(15);
  EXPECT_EQ(gauge.level, 100);
  gauge.level = 99;
  gauge.AddDrink(2);
  EXPECT_EQ(gauge.level, 100);
}

using RackDrawing = DisplayTest;

TEST_F(RackDrawing, StandingCupsGoOnTheBackBufferAndFailedCopiesAreReported) {
  WriteFile("bmps/blue_cup.bmp", SolidBitmap(80, 100, 0, 0, 255));
  CupRack rack;
  ASSERT_TRUE(rack.Load("bmps\\blue_cup.bmp", 80, 100, DisplayDepth));
  rack.SetPosition(360, 140);
  rack.cups[14].present = 0;
  rack.gauge.level = 1;
  SurfacePtr elsewhere = CreateSurface(760, 560, DisplayDepth);
  EXPECT_TRUE(rack.Draw(elsewhere.get()));
  EXPECT_EQ(PixelAt(elsewhere.get(), 215, 196), 0xFAFF64u);  // the gauge goes on the target
  EXPECT_EQ(PixelAt(BackBuffer, 420, 300), 0x0000FFu);  // the front cup
  EXPECT_EQ(PixelAt(BackBuffer, 362, 142), 0u);         // cup 14's corner
  EXPECT_TRUE(platform.messageBoxes.empty());

  rack.ReleaseSurface();
  KeepOnly(rack, {0, 5, 9});
  EXPECT_TRUE(rack.Draw(BackBuffer));
  EXPECT_EQ(Messages(), std::vector<std::string>(3, "Tumbra: FAIL: DrawCup Failed!"));
}
