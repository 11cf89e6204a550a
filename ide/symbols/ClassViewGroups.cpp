// The class view's root groups over the symbol model.
#include "ClassViewGroups.h"

#include "ResourceIds.h"
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
        {IDS_CLASS_VIEW_CLASSES, zCTypedInfo::kImageClass, Records(model.GetClasses())},
        {IDS_CLASS_VIEW_INTERNAL_FUNCTIONS, zCTypedInfo::kImageInternalFunction, std::move(internalFunctions)},
        {IDS_CLASS_VIEW_PROTOTYPES, zCTypedInfo::kImagePrototype, Records(model.GetPrototypes())},
        {IDS_CLASS_VIEW_INSTANCES, zCTypedInfo::kImageInstance, Records(model.GetInstances())},
        {IDS_CLASS_VIEW_EXTERNAL_FUNCTIONS, zCTypedInfo::kImageFunction, std::move(externalFunctions)},
        {IDS_CLASS_VIEW_GLOBAL_DATA, zCTypedInfo::kImageVariable, Records(model.GetVariables())},
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
