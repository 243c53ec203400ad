#include "job/job_preview.h"

#include "job/job_start.h"
#include "job/plan_builder.h"
#include "text/text_catalogue.h"

namespace zeb {

namespace {

// What MeasureLinkTime takes when nothing answers.
constexpr int UnmeasuredLinkTime = 400;

} // namespace

EstimateInputs JobPassInputs(const Session& s, const StrikeLevelSet& forces) {
    EstimateInputs in;
    in.machine = s.Machine;
    in.machine.MotorSpeedScale = static_cast<quint8>(16 + s.Config.ResolutionIndex);
    in.machine.TickA = JobTickA;
    in.machine.TickB = JobTickB;
    in.machine.ColumnTime = BuildStrikeProfiles(forces, in.machine.MotorSpeed,
                                                in.machine.MotorSpeedScale, JobTickA, JobTickB)
                                .columnTime;
    in.linkTime = s.Machine.LinkTime > 0 ? s.Machine.LinkTime : UnmeasuredLinkTime;
    in.deviceReady = true;
    in.pictureOffsetX = s.Place.PictureOffsetX;
    in.pictureOffsetY = s.Place.PictureOffsetY;
    return in;
}

Result<JobPreview> PreviewJob(Session& s) {
    if (const Outcome picture = CheckPlanInput(s.Matrices); !picture)
        return picture;
    const bool doublePass = s.Levels.DoublePassPending;
    if (const Outcome forces = CheckJobForces(s.Levels, s.Machine, s.Config, s.Texts, doublePass);
        !forces)
        return forces;
    const PassMode pass = s.Levels.HighQuality() ? PassMode::OneSided : PassMode::TwoSided;
    // The dot image is read, not marked: only the planner's own working mask is rebuilt.
    const Result<PlanText> plan = BuildPlanText(s.Matrices, pass, &s.Op);
    if (!plan)
        return plan.AsOutcome();
    std::vector<EstimateInputs> passes{JobPassInputs(s, s.Levels.FirstPassLevels)};
    if (doublePass)
        passes.push_back(JobPassInputs(s, s.Levels.SecondPassLevels));
    return PreviewPlan(plan->text, passes, s.Texts.Text(TextKey::JobPreviewPlanName), s.Texts);
}

} // namespace zeb
