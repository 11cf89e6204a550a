// Run-time classes: the derivation chain, lookup by name and creation.
#include <gtest/gtest.h>

#include <new>

#include "CArchive.h"
#include "CException.h"
#include "CObject.h"

// Outside an anonymous namespace: the extraction operator of IMPLEMENT_SERIAL would
// otherwise be an unused internal function.
class CTestShape : public CObject {
    DECLARE_DYNAMIC(CTestShape)
};
IMPLEMENT_DYNAMIC(CTestShape, CObject)

class CTestCircle : public CTestShape {
    DECLARE_DYNCREATE(CTestCircle)
};
IMPLEMENT_DYNCREATE(CTestCircle, CTestShape)

class CTestSquare : public CTestShape {
    DECLARE_SERIAL(CTestSquare)
};
IMPLEMENT_SERIAL(CTestSquare, CTestShape, 3)

// Constructors that run out of memory in the two ways the framework knows.
class CTestGreedy : public CObject {
    DECLARE_DYNCREATE(CTestGreedy)

public:
    CTestGreedy() { throw std::bad_alloc(); }
};
IMPLEMENT_DYNCREATE(CTestGreedy, CObject)

class CTestStarved : public CObject {
    DECLARE_DYNCREATE(CTestStarved)

public:
    CTestStarved() { AfxThrowMemoryException(); }
};
IMPLEMENT_DYNCREATE(CTestStarved, CObject)

TEST(CObjectRuntime, KindFollowsTheBaseChain)
{
    CTestCircle circle;
    const CObject& obj = circle;
    EXPECT_EQ(obj.GetRuntimeClass(), RUNTIME_CLASS(CTestCircle));
    EXPECT_TRUE(obj.IsKindOf(RUNTIME_CLASS(CTestCircle)));
    EXPECT_TRUE(obj.IsKindOf(RUNTIME_CLASS(CTestShape)));
    EXPECT_TRUE(obj.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(obj.IsKindOf(RUNTIME_CLASS(CTestSquare)));
    EXPECT_FALSE(obj.IsKindOf(nullptr));
    EXPECT_FALSE(RUNTIME_CLASS(CTestShape)->IsDerivedFrom(RUNTIME_CLASS(CTestCircle)));

    EXPECT_STREQ(RUNTIME_CLASS(CTestSquare)->m_lpszClassName, "CTestSquare");
    EXPECT_EQ(RUNTIME_CLASS(CTestSquare)->m_nObjectSize, static_cast<int>(sizeof(CTestSquare)));
    EXPECT_EQ(RUNTIME_CLASS(CTestSquare)->m_wSchema, 3u);
    EXPECT_FALSE(obj.IsSerializable());
    CTestSquare square;
    EXPECT_TRUE(square.IsSerializable());
}

TEST(CObjectRuntime, FromNameIsCaseSensitiveAndFindsEveryKind)
{
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("CTestShape"), RUNTIME_CLASS(CTestShape));
    EXPECT_EQ(CRuntimeClass::FromName("CTestCircle"), RUNTIME_CLASS(CTestCircle));
    EXPECT_EQ(CRuntimeClass::FromName("CTestSquare"), RUNTIME_CLASS(CTestSquare));
    EXPECT_EQ(CRuntimeClass::FromName("CArchiveException"), RUNTIME_CLASS(CArchiveException));
    EXPECT_EQ(CRuntimeClass::FromName("ctestsquare"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CTestSquar"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(""), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
}

TEST(CObjectRuntime, CreateObjectOnlyForCreatableClasses)
{
    for (const char* name : {"CTestCircle", "CTestSquare"}) {
        CObject* obj = CRuntimeClass::CreateObject(name);
        ASSERT_NE(obj, nullptr) << name;
        EXPECT_EQ(obj->GetRuntimeClass(), CRuntimeClass::FromName(name));
        delete obj;
    }
    EXPECT_EQ(CRuntimeClass::CreateObject("CTestShape"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CObject"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("NoSuchClass"), nullptr);
    // Out of memory is null, not an exception (and the framework's exception is freed).
    EXPECT_EQ(RUNTIME_CLASS(CTestGreedy)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CTestStarved)->CreateObject(), nullptr);
}
