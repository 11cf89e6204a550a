// The class view's root groups over the symbol model.
#include "ClassViewGroups.h"

#include "MessageIds.h"
#include "zCTypedInfo.h"

namespace {

template <typename Record>
std::vector<const zCTypedHead*> Records(const std::vector<std::unique_ptr<Record>>& records)
{
    std::vector<const zCTypedHead*> out;
    out.reserve(records.size());
    for (const auto& record : records)
        out.push_back(record.get());
    return out;
}

}  // namespace

std::vector<ClassViewGroup> BuildClassViewGroups(const zCTypedInfo& model)
{
    std::vector<const zCTypedHead*> internalFunctions;
    std::vector<const zCTypedHead*> externalFunctions;
    for (const auto& function : model.GetFunctions())
        (function->internal ? internalFunctions : externalFunctions).push_back(function.get());

    std::vector<ClassViewGroup> all = {
        {zMsgId::kClassViewClasses, zCTypedInfo::kImageClass, Records(model.GetClasses())},
        {zMsgId::kClassViewInternalFunctions, zCTypedInfo::kImageInternalFunction, std::move(internalFunctions)},
        {zMsgId::kClassViewPrototypes, zCTypedInfo::kImagePrototype, Records(model.GetPrototypes())},
        {zMsgId::kClassViewInstances, zCTypedInfo::kImageInstance, Records(model.GetInstances())},
        {zMsgId::kClassViewExternalFunctions, zCTypedInfo::kImageFunction, std::move(externalFunctions)},
        {zMsgId::kClassViewGlobalData, zCTypedInfo::kImageVariable, Records(model.GetVariables())},
    };
    std::vector<ClassViewGroup> shown;
    for (auto& group : all)
        if (!group.items.empty())
            shown.push_back(std::move(group));
    return shown;
}

zSTRING ClassViewItemText(const zCTypedHead& record)
{
    zSTRING text = record.GetDisplayText();
    if (text.size() > kClassViewTextLimit)
        text.resize(kClassViewTextLimit);
    return text;
}
