#pragma once
// Keys of the operator texts the language table gives no code. A key stays when a text is
// given a code later; the catalogue then lets a language file replace it.
//
// The codes given later lie in 3000..8999, which the table leaves free, one block per part of
// the window (keyed_texts.cpp puts each code beside its text):
//   3000 + 10 k + i  menu entries the table leaves out, by place as the table counts them: top
//                    menu k, its item i (0 for the top menu itself); the six alignments under
//                    "Расположение" are 3063..3068, after its two submenus 3061 and 3062
//   3101..3108       the tool panel of the placed picture (ChangeBox), top to bottom
//   3201..3209       the nine points of the position box, in reading order; 3211..3219 the
//                    nine alignment buttons of the resolution dialog
//   3301..3303       the panel that sizes the field view
//   3401..3409       the self-test strip, left to right
//   3501..3510       dialog titles and the buttons of the dialogs and messages
//   3600 + r         the resolution list, r = ResolutionIndex 0..8
//   3701..3703       the window's own messages and file filter
//   3801..3814       the job's preview: its button, window and message
//   3851..3859       the tone controls of the resolution dialog, and the status line's note
//   3901..3910       the picture against the work field: its size and fit in the resolution
//                    dialog, the job start's question about a picture reaching outside
//   3931..3936       the unfinished-job dialog: which job it is, the question before dropping it
//   3941..3946       "Другой порт..." and its dialog
//   3961..3965       the job's progress while it runs and the status line at its end
// and one block per part of the core:
//   4001..4013       plans: their records, files and the planner
//   4101..4116       the job: its start, run, preview, estimate and files
//   4201..4219       the progress record and the recovery of an interrupted job
//   5001..5013       the device link
//   5101..5103       tone levels the conversion refuses
//   5201..5209       picture files and their filter
//   6001..6004       zeb-cli's own
//   7001..7006       calibration, the self-test log's creation, a file written in part
// Left without a code: the window title, the About box's version line and the picture's
// caption (names, never translated), the port names "Com1".."Com8", the hidden service starts
// "1" and "2", the problems of Zeb.ini (told before the language file is read) and the
// language file's own (no file was read that could translate it). Lines written to files (the
// self-test log's record of the link) keep the built-in wording whatever the language.

namespace zeb {

enum class TextKey {
    // --- Zeb.ini: the problems of a settings file, told at start ("строка N: ...")
    SettingsLine,                 // "строка %1: %2"
    SettingsLineMissing,          // "нет строки; %1"
    SettingsLineFaulty,           // "«%1»: %2; %3"
    SettingsNotANumber,           // "«%1» не число; %2 остаётся %3"
    SettingsModeExpected,         // a mode line as the program writes it
    SettingsModeTaken,            // individual mode taken in its place
    SettingsForceExpected,        // a force line as the program writes it
    SettingsForceTaken,           // "взята сила %1"
    SettingsFileEnds,             // the file ends before line 17
    SettingsWidth,                // what line 12 holds
    SettingsHeight,               // what line 13 holds
    SettingsFieldTooLarge,        // a field side no bitmap can hold
    SettingsResolution,           // what line 14 holds
    SettingsResolutionNotAnIndex, // beyond any 32-bit index
    SettingsResolutionOutside,    // outside the resolution list
    SettingsMotorSpeed,           // what line 15 holds
    SettingsMotorSpeedOutside,
    SettingsChunkLength, // what line 16 holds
    SettingsChunkLengthOutside,
    SettingsPictureKind, // what line 17 holds
    SettingsPortrait,
    SettingsText,
    SettingsDefaultNotWritten, // no file, and the default one cannot be written
    SettingsNotAFile,
    SettingsUnreadable,      // the file cannot be read: nothing changes
    SettingsKept,            // why the file is never written in this run
    SettingsNotWritten,      // "Zeb.ini не записан: %1"
    SettingsProblemsHeading, // "Zeb.ini:\n%1", the window's one message of all problems
    FileWrittenPartly,       // a durable write that stopped short

    // --- The device link, pictures and their files, the command-line tool
    // (src/link, src/picture, src/cli)
    // The link's messages; its two older replaceable ones and the ready and found texts are
    // the code table's 9001, 9002, 9009 and 9010.
    LinkCommandFailed,       // "Ошибка команды %1", %1 the command's name
    LinkNotAnswering,        // the device is silent
    LinkCommandNotAnswering, // the same, with the command's name after a blank
    LinkGreetingRefused,
    LinkGreetingUnanswered,
    LinkWaiting,
    LinkDriverXSilent, // the command's name straight after the text, with no blank
    LinkDriverYSilent,
    LinkDriverXFailed,
    LinkDriverYFailed,
    LinkMoveTooLong,     // %1 the move, %2 its steps, %3 the most one command carries
    LinkLineTooLong,     // %1 dots
    LinkNoStrikeProfile, // %1..%6: level, its number, force, motor speed, scale, phase
    // Tone levels the conversion refuses; the note itself is ToneNote.
    ToneOutsideRange, // %1 black, %2 white
    ToneBlackNotBelowWhite,
    ToneGammaOutside,
    // Picture files: %1 the quoted path.
    PictureTooLarge, // %2 x %3 dots, %4 MB needed, %5 MB free
    PictureNotAPicture,
    PictureCut,
    PictureGaps,
    PictureNotDecoded, // %2 the reader's reason
    PictureNotOpened,  // %2 the system's reason
    PictureNotRead,    // %2 the system's reason
    PictureNotWritten, // %2 the reason
    PictureFileFilter, // %1 the patterns
    // The window's caption once a file is confirmed; closing TForm5 appends the resolution
    // and the path. A name, never translated.
    PictureOpenCaption,
    // zeb-cli: forces taken in place of faulty Zeb.ini lines that nobody chose.
    CliForcesFileKept,
    CliForcesNotChosen, // %1 the pass, %2..%3 its lines, %4 the option
    CliFirstPass,
    CliSecondPass,

    // --- Calibration and self-test
    CalibrationDeviceUnavailable,
    CalibrationAlreadyDone,
    CalibrationDone,
    CalibrationReportNotWritten,
    SelfTestLogNotCreated,

    // --- The main window
    WindowTitle,
    ConfirmYes,
    ConfirmNo,
    ButtonOK, // "OK"
    ButtonOk, // "Ok"
    FieldViewTooLarge,
    SaveDialogFilter,
    JobPausesAfterLine, // STOP during a strike line: the pause comes after it
    // The second-pass panel's copy of "Стандарт" quality, one blank longer than the first
    // panel's; the language file replaces both with code 431.
    StandardQualityMirror,

    // Menu entries the code table leaves out.
    MenuService,
    MenuConvert,
    MenuOriginal,
    MenuQualityHigh,
    MenuQualityLow,
    MenuStrikeForce,
    MenuFieldSize,
    MenuCalibration,
    MenuSelfTesting,
    MenuPort, // "Com%1"
    MenuLayout,
    MenuHorizontal,
    MenuLeft,
    MenuHorizontalCentre,
    MenuRight,
    MenuVertical,
    MenuTop,
    MenuVerticalCentre,
    MenuBottom,
    MenuOptimisation,
    MenuServiceStartOne,
    MenuServiceStartTwo,
    MenuStop,

    // The tool panel of the placed picture.
    ToolPanelMove,
    ToolPanelMarker,
    ToolPanelNeedle,
    ToolPanelNeedleBox,
    ToolPanelNeedleUp,
    ToolPanelNeedleUpMoving,
    ToolPanelNeedleUpMovingEnd,
    ToolPanelNeedleDown,
    // The nine points of the position box, in reading order.
    PositionLeftTop,
    PositionMiddleTop,
    PositionRightTop,
    PositionLeftMiddle,
    PositionMiddleMiddle,
    PositionRightMiddle,
    PositionLeftBottom,
    PositionMiddleBottom,
    PositionRightBottom,
    // The panel that sizes the field view.
    FieldViewHeading,
    FieldViewUnits,
    FieldViewDpi,
    // The self-test strip.
    SelfTestErrorCounter,
    SelfTestNeedCommand,
    SelfTestGetCommand,
    SelfTestStepControl,
    SelfTestWriteFile,
    SelfTestCountPosX,
    SelfTestRealPosX,
    SelfTestCountPosY,
    SelfTestRealPosY,

    // --- Dialogs
    AboutTitle,
    AboutVersion,
    FaultTitle,
    StrikeForceTitle,
    SecondLayoutTitle, // TForm3, created and never shown
    ConvertFormTitle,
    Form5Title,
    // The resolution dialog's nine alignment buttons, in reading order.
    AlignLeftTop,
    AlignCenterTop,
    AlignRightTop,
    AlignLeftCenter,
    AlignCenterCenter,
    AlignRightCenter,
    AlignLeftBottom,
    AlignCenterBottom,
    AlignRightBottom,

    // --- The resolution list, by ResolutionIndex
    Resolution0,
    Resolution1,
    Resolution2,
    Resolution3,
    Resolution4,
    Resolution5,
    Resolution6,
    Resolution7,
    Resolution8,

    // --- Jobs, plans, estimates and recovery (src/job)
    // Plans: their records, files and the planner.
    PlanMoveLength, // %1 wanted, %2 found
    PlanMoveNotANumber,
    PlanStrikePrefix, // %1 the record's prefix
    PlanStrikeDigits,
    PlanTextCut,  // %1 the plan's name, %2 line
    PlanTextLine, // %1 plan, %2 line, %3 what is wrong
    PlanFileNotOpened,
    PlanFileCut,
    PlanFileLine, // %1 file, %2 line, %3 what is wrong
    PlanFileNotWritten,
    PlanNoPicture,
    PlanPictureTooLarge, // %1 x %2 dots, %3 the coordinate
    PlanMatricesTooSmall,
    // The job: its start, run and preview.
    JobPlanNotRead,
    JobRecoveryNotWritten,
    JobUnfinishedWhat, // %1 picture, %2 the pass below
    JobUnfinishedFirstPass,
    JobUnfinishedSecondPass,
    JobUnfinishedQuestion, // %1 the job, %2 its recovery file
    JobFirstPassHeading,   // put before a refused force
    JobSecondPassHeading,
    JobForceOutsideSlider, // %1 level, %2 force, %3..%4 the slider
    JobScaleOutside,
    JobProgressNotWritten,
    JobPreviewPlanName, // the plan's name in PlanTextLine
    LanguageFileUnreadable,
    EstimateDays, // %1 whole days before hh:mm:ss
    JobFileNotWritten,
    JobFileNotRead,
    JobFileMissing,
    // The progress record and the recovery of an interrupted job.
    ProgressFileUnreadable,
    ProgressNotAFile,
    ProgressFileDamaged,
    ProgressFileNotOpen, // the progress record's file
    RecoveryFileLine,    // %1 file, %2 line, %3 what is wrong
    RecoveryFileUnreadable,
    RecoveryLineMissing,
    RecoveryLineNotANumber,
    RecoveryNothingStarted, // added to a refused recovery
    RecoveryNotRenamed,
    RecoveryFileChanged, // %1 file, %2 what changed
    RecoveryLineBeyondPlan,
    RecoveryOtherPlan,
    RecoveryPassMismatch,
    RecoveryOutOfRange, // %1 plan, %2 line, %3 file, %4 %5 offset, %6 %7 limits
    RecoveryPositionOffPlan,
    RecoveryNoResolution,
    RecoveryNoPosition,
    RecoveryOtherJob,

    // --- The job's preview
    PreviewButton,
    PreviewTitle,
    PreviewFit,
    PreviewDotsOfLevel, // "Точек %1", %1 the level in quotes
    PreviewAllDots,
    PreviewStrikeLines,
    PreviewTime,
    PreviewReplayHeading,
    PreviewClose,
    PreviewOffField, // %1 dots
    PreviewPass,     // "Проход %1"
    PreviewReplayed, // %1 of %2 lines, %3 of %4 time
    PreviewLastLine, // %1 pass, %2 field row
    PreviewTooLarge, // %1 x %2 dots

    // --- Tone controls
    ToneBox,
    ToneBlack,
    ToneWhite,
    ToneGamma,
    ToneInvert,
    ToneReset,
    ToneResetTip,
    ToneNote,         // %1 black, %2 white, %3 gamma
    ToneNoteInverted, // added to ToneNote

    // --- The picture against the work field: the resolution dialog and the job start
    FieldPictureSize, // %1 x %2 dots, %3 x %4 cm
    FieldFits,        // %1 x %2 cm, the field
    FieldOutside,     // %1 x %2 cm, the field; %3 the sides (FieldSideLeft ...)
    FieldSideLeft,    // %1 cm
    FieldSideTop,     // %1 cm
    FieldSideRight,   // %1 cm
    FieldSideBottom,  // %1 cm
    FieldJobOutside,  // %1 the sides; the job start's question begins so
    FieldJobNoResume, // reaching left or top: no resume after an interruption
    FieldJobQuestion, // the question itself
    // --- The job's progress while it runs, and how it ended (the status line)
    JobRemaining,      // "Осталось: " before the rest's hh:mm:ss, in the duration label
    JobPassInProgress, // %1 the pass, %2 of how many
    JobDoneIn,         // %1 how long the job ran
    JobEndedAfter, // ended for later ("Завершить работу", a line not carried out)
    JobLinkLostAfter,
    // --- The unfinished-job dialog: which job it is, and the question before dropping it
    UnfinishedJobPicture,        // %1 the picture's path
    UnfinishedJobLines,          // %1 pass, %2 plan lines done, %3 of all
    UnfinishedJobLinesUnknown,   // %1 pass, %2 plan lines done, %3 why the plan is unread
    UnfinishedJobForces,         // %1..%4 the forces of "32", "24", "16", "8"
    UnfinishedJobLastRun,        // %1 date and time
    UnfinishedJobIgnoreQuestion, // %1 the recovery file

    // --- "Порт": a port named by its path
    PortOther,       // the menu entry
    PortDialogTitle, // the dialog's title
    PortDialogList,  // the heading of the system's ports
    PortDialogPath,  // the heading of the path field
    PortInUse,       // what describes the port in use that the system does not list
    ButtonCancel,    // the last key (the catalogue test counts to it)
};

} // namespace zeb
