// The commands the user can give. Each has one row in the command table
// (common/CommandTable) and one enabling rule (common/CommandRules).
#pragma once

namespace marbelo {

enum class Command {
    Exit,
    Find,
    FindNext,
    CopyTopic,
    NewTraining,
    NewTrainingFrom,
    RenameTraining,
    DeleteTraining,
    UndoTraining,
    RedoTraining,
    NewItem,
    RenameItem,
    MoveItemTop,
    MoveItemUp,
    MoveItemDown,
    MoveItemBottom,
    DeleteItem,
    UndoItem,
    RedoItem,
    Preview,
    Export,
    SavePdf,
    HelpContents,
    HelpIndex,
    HelpInternet,
    HelpEmail,
    About,
    ImportSlides,
    RenameOwnTopic,
    DeleteOwnTopic,
    SetHours,
    SaveProgramme,
    ScormPackage,
    Courses,
    QuestionBank,
    Register,
    Renewals,
    ChooseDatabase,
    // The "Kursy" window's.
    NewCourse,
    EditCourse,
    DeleteCourse,
    AddParticipant,
    EditParticipant,
    RemoveParticipant,
    ImportParticipants,
    TogglePassed,
    IssueCertificates,
    CancelCertificate,
    EditOrganiser,
    AttendanceList,
    ParticipantCertificate,
    CourseCertificates,
    CertificateRegister,
    Employers,
    CourseRenewals,
    PrepareTest,
    TestSheets,
    ExamResults,
    ExamProtocol,
    UndoCourses,
    RedoCourses,
    // The register window's.
    SaveRegister,
    CancelRegisterEntry,
    // The employers window's.
    NewEmployer,
    EditEmployer,
    RemoveEmployer,
    UndoEmployers,
    RedoEmployers,
    // The renewals window's.
    RenewalLetters,
    RenewalsCsv,
    CourseFromRenewals,
    Count // the number of commands, never a command
};

constexpr int kCommandCount = static_cast<int>(Command::Count);

} // namespace marbelo
