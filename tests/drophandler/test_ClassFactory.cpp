// The server side of the library as a host sees it: class objects, the factory, the drop
// target's identity and reference counting, and when the library may be unloaded.
#include "DropHandlerClass.h"
#include "ShellHost.h"

using namespace shellhost;

namespace {

void *const Sentinel = reinterpret_cast<void *>(0x1);

/** An object that asks to aggregate a new one. */
class OuterObject final : public IUnknown {
public:
    HRESULT QueryInterface(const IID &, void **ppvObject) override
    {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
};

class ClassFactoryTest : public ShellTest {
protected:
    HRESULT canUnloadNow() const { return TamselLibrary::instance().canUnloadNow(); }

    IClassFactory *factory() const
    {
        void *object = nullptr;
        EXPECT_EQ(TamselLibrary::instance().getClassObject(CLSID_DropTargetObject, IID_IClassFactory,
                                                           &object),
                  S_OK);
        return static_cast<IClassFactory *>(object);
    }
};

TEST_F(ClassFactoryTest, ClassObjectsAreGivenForTheOneClassAndItsFactoryInterfaces)
{
    struct Case {
        const char *name;
        CLSID classId;
        IID iid;
        HRESULT expected;
    };
    const Case cases[] = {
        {"factory", CLSID_DropTargetObject, IID_IClassFactory, S_OK},
        {"unknown", CLSID_DropTargetObject, IID_IUnknown, S_OK},
        {"other interface", CLSID_DropTargetObject, IID_IDropTarget, E_NOINTERFACE},
        {"other class", IID_IDropTarget, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        void *object = Sentinel;
        EXPECT_EQ(TamselLibrary::instance().getClassObject(c.classId, c.iid, &object), c.expected);
        if (c.expected != S_OK) {
            EXPECT_EQ(object, nullptr);
            EXPECT_EQ(canUnloadNow(), S_OK);
            continue;
        }
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(canUnloadNow(), S_FALSE);
        EXPECT_EQ(static_cast<IUnknown *>(object)->Release(), 0u);
        EXPECT_EQ(canUnloadNow(), S_OK);
    }
}

TEST_F(ClassFactoryTest, CreatesDropTargetsOnlyForTheInterfacesOfItsTable)
{
    IClassFactory *classFactory = factory();
    ASSERT_NE(classFactory, nullptr);
    struct Case {
        const char *name;
        IID iid;
        HRESULT expected;
    };
    const Case cases[] = {
        {"unknown", IID_IUnknown, S_OK},
        {"persist file", IID_IPersistFile, S_OK},
        {"drop target", IID_IDropTarget, S_OK},
        {"data object", IID_IDataObject, E_NOTIMPL},
        {"class factory", IID_IClassFactory, E_NOTIMPL},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        void *object = Sentinel;
        EXPECT_EQ(classFactory->CreateInstance(nullptr, c.iid, &object), c.expected);
        if (c.expected != S_OK) {
            EXPECT_EQ(object, nullptr);
            continue;
        }
        ASSERT_NE(object, nullptr);
        IUnknown *asUnknown = nullptr;
        EXPECT_EQ(static_cast<IUnknown *>(object)->QueryInterface(IID_IUnknown,
                                                                  reinterpret_cast<void **>(&asUnknown)),
                  S_OK);
        asUnknown->Release();
        EXPECT_EQ(static_cast<IUnknown *>(object)->Release(), 0u);
    }

    OuterObject outer;
    void *object = Sentinel;
    EXPECT_EQ(classFactory->CreateInstance(&outer, IID_IUnknown, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(classFactory->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, BothInterfacesShareOneIdentityAndOneCount)
{
    IPersistFile *persistFile = createDropTarget();
    ASSERT_NE(persistFile, nullptr);
    IDropTarget *dropTarget = nullptr;
    ASSERT_EQ(persistFile->QueryInterface(IID_IDropTarget, reinterpret_cast<void **>(&dropTarget)), S_OK);
    EXPECT_NE(static_cast<void *>(dropTarget), static_cast<void *>(persistFile));

    void *unknownViaDrop = nullptr;
    void *unknownViaPersist = nullptr;
    void *persistViaDrop = nullptr;
    EXPECT_EQ(dropTarget->QueryInterface(IID_IUnknown, &unknownViaDrop), S_OK);
    EXPECT_EQ(persistFile->QueryInterface(IID_IUnknown, &unknownViaPersist), S_OK);
    EXPECT_EQ(dropTarget->QueryInterface(IID_IPersistFile, &persistViaDrop), S_OK);
    EXPECT_EQ(unknownViaDrop, static_cast<void *>(persistFile));
    EXPECT_EQ(unknownViaPersist, static_cast<void *>(persistFile));
    EXPECT_EQ(persistViaDrop, static_cast<void *>(persistFile));

    void *other = Sentinel;
    EXPECT_EQ(dropTarget->QueryInterface(IID_IDataObject, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);

    // Five references now: creation, the drop target and three queries; each interface counts all.
    EXPECT_EQ(dropTarget->AddRef(), 6u);
    EXPECT_EQ(persistFile->Release(), 5u);
    for (ULONG left = 4; left > 0; --left)
        EXPECT_EQ(dropTarget->Release(), left);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(persistFile->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, ServerLocksHoldTheLibrary)
{
    IClassFactory *classFactory = factory();
    ASSERT_NE(classFactory, nullptr);
    EXPECT_EQ(classFactory->LockServer(1), S_OK);
    EXPECT_EQ(classFactory->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_FALSE);

    IPersistFile *object = createDropTarget();
    classFactory = factory();
    EXPECT_EQ(classFactory->LockServer(0), S_OK);
    EXPECT_EQ(classFactory->LockServer(0), S_OK);
    EXPECT_EQ(classFactory->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "an unmatched unlock gave away the live object's hold";
    object->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, TheOtherPersistFileOperationsAreNotImplemented)
{
    IPersistFile *object = createDropTarget();
    ASSERT_NE(object, nullptr);
    CLSID classId = IID_IUnknown;
    OLECHAR *current = reinterpret_cast<OLECHAR *>(Sentinel);
    EXPECT_EQ(object->GetClassID(&classId), E_NOTIMPL);
    EXPECT_EQ(object->IsDirty(), E_NOTIMPL);
    EXPECT_EQ(object->Save(u"/x.rnp", 1), E_NOTIMPL);
    EXPECT_EQ(object->SaveCompleted(u"/x.rnp"), E_NOTIMPL);
    EXPECT_EQ(object->GetCurFile(&current), E_NOTIMPL);
    EXPECT_TRUE(IsEqualGUID(classId, IID_IUnknown));
    EXPECT_EQ(current, reinterpret_cast<OLECHAR *>(Sentinel));
    object->Release();
}

} // namespace
