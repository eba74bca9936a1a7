// The planned time of an outline heading, in quarters of a lesson hour of 45
// minutes, and the form of a training: what the programme file keeps beside
// the outline.
#pragma once

#include <QString>

#include <optional>

namespace marbelo {

constexpr int kQuartersPerHour = 4;

struct PlannedHours
{
    int theory = 0;    // quarter hours of "zajęcia teoretyczne"
    int exercises = 0; // quarter hours of "ćwiczenia"

    int total() const { return theory + exercises; }
    PlannedHours &operator+=(const PlannedHours &other)
    {
        theory += other.theory;
        exercises += other.exercises;
        return *this;
    }
    friend bool operator==(const PlannedHours &, const PlannedHours &) = default;
};

// What the programme file can hold for one heading: at most 16383.75 h each.
constexpr int kMaxQuarters = 0xFFFF;

enum class TrainingForm { Course, Seminar, GuidedSelfStudy, Instruction };
constexpr int kTrainingFormCount = 4;

// "kurs", "seminarium", "samokształcenie kierowane", "instruktaż".
QString trainingFormName(TrainingForm form);
// The form named by its full name or its first word ("samokształcenie").
std::optional<TrainingForm> trainingFormNamed(const QString &name);

} // namespace marbelo
