#pragma once

// The fixed texts of the activity log, written exactly as they stand (spelling included): the
// people who read logs of this program search for these lines.
namespace LogText {

inline constexpr char kStartBanner[] = "*** Start the QUILO2 ***";
inline constexpr char kCloseBanner[] = "*** Close the QUILO2 ***";
inline constexpr char kAlreadyRunning[] = "Show the already operating distance.";
inline constexpr char kScheduleReleased[] = "Discarded since schedule option is released.";
inline constexpr char kNoSkinName[] = "FAIL to get a appropreate skin name.";
inline constexpr char kNoSkinInfo[] = "FAIL to get skin info.";
inline constexpr char kLoginFailed[] = "FAIL to log-in.";

inline constexpr char kTryPlay[] = "TRY to play.";
inline constexpr char kPlayed[] = "SUXES to play.";
inline constexpr char kPlayNoPlayer[] = "FAIL to play because the player have not been created.";
inline constexpr char kTryStop[] = "TRY to stop.";
inline constexpr char kStopped[] = "SUXES to stop.";
inline constexpr char kStopNoPlayer[] = "FAIL to stop because the player have not been created.";
inline constexpr char kTryShow[] = "TRY to show.";
inline constexpr char kShown[] = "SUXES to show.";
inline constexpr char kShowNoPlayer[] = "FAIL to show because the player have not been created.";
inline constexpr char kNoSoundOutput[] = "FAIL to play the sound: NOOUTPUT.";
// no session bus: no media keys, player applets or notifications
inline constexpr char kNoSessionBus[] = "FAIL to join the desktop because there is no session bus.";

// recording; formatted with QString::arg (the file's path, the reason, the seconds without sound)
inline constexpr char kRecordingStartedFormat[] = "SUXES to start recording: %1";
inline constexpr char kRecordingFinishedFormat[] = "SUXES to finish recording: %1";
inline constexpr char kRecordingFailedFormat[] = "FAIL to record: %1";
inline constexpr char kRecordingBroke[] = "FAIL to receive the stream to record; opening it again.";
inline constexpr char kRecordingGapFormat[] = "Recording resumed after %1 s without sound: %2";

// pausing the live radio; formatted with QString::arg (the reason, the seconds behind live)
inline constexpr char kPaused[] = "SUXES to pause: what is on air is held.";
inline constexpr char kPauseFailedFormat[] = "FAIL to pause: %1";
inline constexpr char kPlayingOnFormat[] = "SUXES to play on from the pause, %1 s behind live.";
inline constexpr char kBackToLive[] = "SUXES to go back to live.";

inline constexpr char kTryProgramTable[] = "TRY to download the program table file.";
inline constexpr char kProgramTableDone[] = "SUXES to download the program table file.";
inline constexpr char kProgramTableFailed[] = "FAIL to download the program table file.";

// formatted with the program code in place of %s
inline constexpr char kTryProgramInfoFormat[] = "TRY to download the program info file: %s.";
inline constexpr char kProgramInfoDone[] = "SUXES to download the program info file.";
inline constexpr char kProgramInfoFailed[] = "FAIL to download the program info file.";
inline constexpr char kTryImage1[] = "TRY to download the program image-1 file.";
inline constexpr char kImage1Done[] = "SUXES to download the program image-1 file.";
inline constexpr char kImage1Failed[] = "FAIL to download the program image-1 file.";
inline constexpr char kTryImage2[] = "TRY to download the program image-2 file.";
inline constexpr char kImage2Done[] = "SUXES to download the program image-2 file.";
inline constexpr char kImage2Failed[] = "FAIL to download the program image-2 file.";
inline constexpr char kImage3Ignored[] =
    "SUXES to download the program image-3 file. (The result is ignored.)";

inline constexpr char kTryEventFile[] = "TRY to download the event file. (The result is ignored.)";

inline constexpr char kTryTime[] = "TRY to get the current time.";
inline constexpr char kTimeDone[] = "SUXES to get the current time.";
inline constexpr char kTimeNotConnected[] = "FAIL to get the current time: NOTCONNECTED.";
inline constexpr char kTimeTimeOver[] = "FAIL to get the current time: TIMEOVER.";

inline constexpr char kTryVersionInfo[] = "TRY to download the version info file.";
inline constexpr char kVersionInfoDone[] = "SUXES to download the version info file.";
inline constexpr char kVersionInfoFailed[] = "FAIL to download the version info file.";
inline constexpr char kTrySetup[] = "TRY to download the setup file.";
inline constexpr char kSetupDone[] = "SUXES to download the setup file.";
inline constexpr char kSetupFailed[] = "FAIL to download the setup file.";
inline constexpr char kSetupNotWeb[] =
    "FAIL to download the setup file because its address is not an http or https address.";
inline constexpr char kSetupMismatch[] =
    "FAIL to download the setup file because it does not match the SHA-256 of the version info.";
inline constexpr char kSetupUnchecked[] =
    "The setup file is not checked because the version info has no SHA-256.";

inline constexpr char kTryLogin[] = "TRY to log-in.";
inline constexpr char kLoginDone[] = "SUXES to log-in.";
inline constexpr char kLoginIncorrect[] = "FAIL to log-in: INCORRECT.";
inline constexpr char kLoginNotConnected[] = "FAIL to log-in: NOTCONNECTED.";
inline constexpr char kLoginTimeOver[] = "FAIL to log-in: TIMEOVER.";

inline constexpr char kTrySend[] = "TRY to send the message.";
inline constexpr char kSendDone[] = "SUXES to send the message.";
inline constexpr char kSendNotConnected[] = "FAIL to send the message: NOTCONNECTED.";
inline constexpr char kSendTimeOver[] = "FAIL to send the message: TIMEOVER.";

}  // namespace LogText
