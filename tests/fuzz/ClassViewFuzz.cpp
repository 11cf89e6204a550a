// Fuzz target of the class-view symbol model's reader of script text: any text is
// parsed as a project file, then the completion list and the lookups are asked for
// the names it declared.
#include <cstddef>
#include <cstdint>
#include <string>

#include "zCTypedInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zCTypedInfo model;
    model.ParseText(std::string(reinterpret_cast<const char*>(data), size), "Fuzz.d");
    model.Finish();
    volatile std::size_t sink = model.GetAutoCompletionText().size();
    DeclarationContext context;
    for (const auto& instance : model.GetInstances()) {
        sink = sink + model.GetMemberList(instance->name, context, 0).size();
        context.kind = DeclarationContext::kObject;
        context.text = instance->name;
    }
    for (const auto& type : model.GetClasses()) {
        for (const auto& member : type->members)
            sink = sink + model.GetDeclarationTip(member->name, context).size();
        sink = sink + model.GetMemberList(type->name, context, 1).size();
    }
    for (const auto& function : model.GetFunctions())
        sink = sink + model.GetCallTip(function->name).size() + (model.FindDeclaration(function->name, context) != nullptr);
    (void)sink;
    return 0;
}
