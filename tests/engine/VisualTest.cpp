// The visual base classes: registration, defaults and chains of visuals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReporterCapture.h"
#include "zCClassDef.h"
#include "zCVisual.h"

namespace {

using Lines = std::vector<std::string>;

// A visual that can be made: the base classes are abstract.
class TestVisual : public zCVisualAnimate {
public:
    zTBBox3D GetBBox3D() override
    {
        zTBBox3D box;
        box.SetZero();
        return box;
    }
    float Outer() const { return distanceOuter; }
    float Inner() const { return distanceInner; }
};

using Visual = ReporterCapture;

TEST_F(Visual, BaseClassesAreRegisteredAbstract)
{
    zCClassDef::SortRegistry();
    zCClassDef* visual = zCClassDef::GetClassDef("zCVisual");
    zCClassDef* animate = zCClassDef::GetClassDef("zCVisualAnimate");
    ASSERT_EQ(visual, &zCVisual::classDef);
    ASSERT_EQ(animate, &zCVisualAnimate::classDef);
    EXPECT_EQ(animate->GetBaseClassDef(), visual);
    EXPECT_EQ(visual->CreateNewInstance(), nullptr);
    EXPECT_EQ(animate->CreateNewInstance(), nullptr);
    EXPECT_EQ(Texts(), (Lines{"Error: Tried to create instance of abstrace class: zCVisual",
                              "Error: Tried to create instance of abstrace class: zCVisualAnimate"}));

    TestVisual made;
    EXPECT_EQ(made.GetClassDef(), animate);
    EXPECT_EQ(static_cast<zCVisual&>(made).zCVisual::GetClassDef(), visual);
}

TEST_F(Visual, NewVisualIsUnchainedWithItsDistancesAndLoadsNothing)
{
    TestVisual visual;
    EXPECT_EQ(visual.GetNextVisual(), nullptr);
    EXPECT_EQ(visual.GetPrevVisual(), nullptr);
    EXPECT_EQ(visual.Outer(), 50000.0f);
    EXPECT_EQ(visual.Inner(), 49000.0f);
    EXPECT_EQ(visual.LoadVisual("HERO.MDL"), nullptr);
    EXPECT_EQ(visual.Reserved10(), &visual);
    EXPECT_EQ(visual.GetRefCtr(), 1);
}

TEST_F(Visual, AppendingGoesBehindTheLastOfTheChain)
{
    TestVisual a, b, c, d, e;
    a.AppendToChain(&b);
    EXPECT_EQ(a.GetNextVisual(), &b);
    EXPECT_EQ(b.GetPrevVisual(), &a);
    EXPECT_EQ(b.GetNextVisual(), nullptr);

    // Appended on the head: it still goes to the end. The appended visual's own
    // followers are cut off.
    d.AppendToChain(&e);
    a.AppendChainedVisual(&c);
    a.AppendToChain(&d);
    EXPECT_EQ(b.GetNextVisual(), &c);
    EXPECT_EQ(c.GetPrevVisual(), &b);
    EXPECT_EQ(c.GetNextVisual(), &d);
    EXPECT_EQ(d.GetPrevVisual(), &c);
    EXPECT_EQ(d.GetNextVisual(), nullptr);
    EXPECT_EQ(e.GetPrevVisual(), nullptr);
    EXPECT_EQ(a.GetPrevVisual(), nullptr);

    // Taken from the middle of another chain, it leaves that chain.
    TestVisual x, y;
    x.AppendToChain(&y);
    e.AppendToChain(&x);
    d.AppendToChain(&x);
    EXPECT_EQ(e.GetNextVisual(), nullptr);
    EXPECT_EQ(x.GetPrevVisual(), &d);
    EXPECT_EQ(y.GetPrevVisual(), nullptr);
    EXPECT_EQ(d.GetNextVisual(), &x);

    // Null, or a visual already in the chain, changes nothing: no loop of links.
    for (zCVisual* again : {static_cast<zCVisual*>(nullptr), static_cast<zCVisual*>(&a),
                            static_cast<zCVisual*>(&c), static_cast<zCVisual*>(&x)}) {
        b.AppendToChain(again);
        EXPECT_EQ(a.GetNextVisual(), &b);
        EXPECT_EQ(b.GetNextVisual(), &c);
        EXPECT_EQ(c.GetNextVisual(), &d);
        EXPECT_EQ(d.GetNextVisual(), &x);
        EXPECT_EQ(x.GetNextVisual(), nullptr);
        EXPECT_EQ(d.GetPrevVisual(), &c);
        EXPECT_EQ(a.GetPrevVisual(), nullptr);
    }
}

TEST_F(Visual, DestroyedVisualLeavesItsChainClosed)
{
    TestVisual head;
    TestVisual tail;
    TestVisual* middle = new TestVisual;
    TestVisual* last = new TestVisual;
    head.AppendToChain(middle);
    head.AppendToChain(&tail);
    head.AppendToChain(last);

    delete middle;
    EXPECT_EQ(head.GetNextVisual(), &tail);
    EXPECT_EQ(tail.GetPrevVisual(), &head);

    EXPECT_EQ(last->Release(), 0);
    EXPECT_EQ(tail.GetNextVisual(), nullptr);
    EXPECT_EQ(host.GetLines().size(), 0u);
}

} // namespace
