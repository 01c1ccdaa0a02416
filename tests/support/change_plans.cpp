#include "change_plans.h"

ChangePlan FlipsOf(const std::vector<std::string>& names)
{
    ChangePlan plan;
    plan.folder = "C:\\Games\\data";
    for (const std::string& name : names)
        plan.steps.push_back(FlipStep(name));
    return plan;
}
