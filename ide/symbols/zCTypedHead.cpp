// Display texts of the symbol model's records and the member lookup of classes.
#include "zCTypedHead.h"

#include <algorithm>

#include "ListOrder.h"

zSTRING zCTypedFunc::GetDisplayText() const
{
    return zSTRING(returnType + " " + name + "(" + parameters + ")");
}

zSTRING zCTypedVar::GetDisplayText() const
{
    return zSTRING((isConst ? "const " : "var ") + type + " " + name + (isArray ? "[]" : ""));
}

zSTRING zCTypedProto::GetDisplayText() const
{
    return zSTRING("prototype " + name + "(" + base + ")");
}

zSTRING zCTypedInstance::GetDisplayText() const
{
    return zSTRING("instance " + name + "(" + base + ")");
}

zSTRING zCTypedClass::GetDisplayText() const
{
    return zSTRING("class " + name);
}

const zCTypedVar* zCTypedClass::FindMember(const zSTRING& memberName) const
{
    const auto found = std::lower_bound(members.begin(), members.end(), memberName,
                                        [](const std::unique_ptr<zCTypedVar>& member, const zSTRING& key) {
                                            return CompareListNames(member->name.data(), member->name.size(),
                                                                    key.data(), key.size()) < 0;
                                        });
    if (found == members.end() || CompareListNames((*found)->name.data(), (*found)->name.size(),
                                                   memberName.data(), memberName.size()) != 0)
        return nullptr;
    return found->get();
}
