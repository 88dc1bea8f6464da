<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="TuningFreeTitle">
        <location filename="TextIds.cpp" line="12"/>
        <source>Prima balalaika</source>
        <translation>Prima balalaika</translation>
    </message>
    <message id="TuningFreeTitle2">
        <location filename="TextIds.cpp" line="14"/>
        <source>Secunda balalaika</source>
        <translation>Secunda balalaika</translation>
    </message>
    <message id="TuningFreeTitle3">
        <location filename="TextIds.cpp" line="16"/>
        <source>Alto balalaika</source>
        <translation>Alto balalaika</translation>
    </message>
    <message id="TuningFreeTitle4">
        <location filename="TextIds.cpp" line="18"/>
        <source>Bass balalaika</source>
        <translation>Bass balalaika</translation>
    </message>
    <message id="TuningFreeTitle5">
        <location filename="TextIds.cpp" line="20"/>
        <source>Contrabass balalaika</source>
        <translation>Contrabass balalaika</translation>
    </message>
    <message id="TunerAboutCongratsMessage">
        <location filename="TextIds.cpp" line="22"/>
        <source>Congratulations on choosing the balalaika!</source>
        <translation>Congratulations on choosing the balalaika!</translation>
    </message>
    <message id="TunerAboutMsg2">
        <location filename="TextIds.cpp" line="24"/>
        <source>Pluck one string at a time and tune it until the lamp turns green.</source>
        <translation>Pluck one string at a time and tune it until the lamp turns green.</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate Title">
        <location filename="TextIds.cpp" line="26"/>
        <source>Rate %@</source>
        <translation>Rate %@</translation>
    </message>
    <message id="RatingPromptLocalizable:If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!">
        <location filename="TextIds.cpp" line="31"/>
        <source>If you enjoy using %@, would you mind taking a moment to rate it? It won&apos;t take more than a minute. Thanks for your support!</source>
        <translation>If you enjoy using %@, would you mind taking a moment to rate it? It won&apos;t take more than a minute. Thanks for your support!</translation>
    </message>
    <message id="RatingPromptLocalizable:Rate %@">
        <location filename="TextIds.cpp" line="34"/>
        <source>Rate %@</source>
        <translation>Rate %@</translation>
    </message>
    <message id="RatingPromptLocalizable:Remind me later">
        <location filename="TextIds.cpp" line="36"/>
        <source>Remind me later</source>
        <translation>Remind me later</translation>
    </message>
    <message id="RatingPromptLocalizable:No, Thanks">
        <location filename="TextIds.cpp" line="38"/>
        <source>No, Thanks</source>
        <translation>No, Thanks</translation>
    </message>
    <message id="CentsFarFlat">
        <location filename="TextIds.cpp" line="40"/>
        <source>far flat</source>
        <translation>far flat</translation>
    </message>
    <message id="CentsFarSharp">
        <location filename="TextIds.cpp" line="42"/>
        <source>far sharp</source>
        <translation>far sharp</translation>
    </message>
    <message id="CentsTuneUp">
        <location filename="TextIds.cpp" line="44"/>
        <source>tune up</source>
        <translation>tune up</translation>
    </message>
    <message id="CentsTuneDown">
        <location filename="TextIds.cpp" line="46"/>
        <source>tune down</source>
        <translation>tune down</translation>
    </message>
    <message id="LinkWebsite">
        <location filename="TextIds.cpp" line="48"/>
        <source>Website</source>
        <translation>Website</translation>
    </message>
    <message id="LinkRateThisApp">
        <location filename="TextIds.cpp" line="50"/>
        <source>Rate this app</source>
        <translation>Rate this app</translation>
    </message>
    <message id="LinkMoreApps">
        <location filename="TextIds.cpp" line="52"/>
        <source>More apps…</source>
        <translation>More apps…</translation>
    </message>
    <message id="PreciseEstimator">
        <location filename="TextIds.cpp" line="54"/>
        <source>Precise pitch (no octave jumps)</source>
        <translation>Precise pitch (no octave jumps)</translation>
    </message>
    <message id="ConcertPitchLabel">
        <location filename="TextIds.cpp" line="56"/>
        <source>A4 = %@ Hz</source>
        <translation>A4 = %@ Hz</translation>
    </message>
    <message id="LockedString">
        <location filename="TextIds.cpp" line="58"/>
        <source>Locked: %@</source>
        <translation>Locked: %@</translation>
    </message>
    <message id="ListeningForA">
        <location filename="TextIds.cpp" line="60"/>
        <source>Play an A and hold it…</source>
        <translation>Play an A and hold it…</translation>
    </message>
    <message id="NoSteadyA">
        <location filename="TextIds.cpp" line="62"/>
        <source>no steady A heard</source>
        <translation>no steady A heard</translation>
    </message>
    <message id="HeardA">
        <location filename="TextIds.cpp" line="64"/>
        <source>A4 set to %@ Hz</source>
        <translation>A4 set to %@ Hz</translation>
    </message>
    <message id="UnisonPluckString2">
        <location filename="TextIds.cpp" line="66"/>
        <source>Unison: pluck string 2</source>
        <translation>Unison: pluck string 2</translation>
    </message>
    <message id="UnisonPluckString3">
        <location filename="TextIds.cpp" line="68"/>
        <source>Now pluck string 3</source>
        <translation>Now pluck string 3</translation>
    </message>
    <message id="UnisonGap">
        <location filename="TextIds.cpp" line="70"/>
        <source>%@ ¢ apart</source>
        <translation>%@ ¢ apart</translation>
    </message>
    <message id="UnisonBeats">
        <location filename="TextIds.cpp" line="72"/>
        <source>%@ beats/s</source>
        <translation>%@ beats/s</translation>
    </message>
    <message id="UnisonInUnison">
        <location filename="TextIds.cpp" line="74"/>
        <source>in unison</source>
        <translation>in unison</translation>
    </message>
    <message id="UnisonCheck">
        <location filename="TextIds.cpp" line="76"/>
        <source>Check unison</source>
        <translation>Check unison</translation>
    </message>
    <message id="UnisonCancel">
        <location filename="TextIds.cpp" line="78"/>
        <source>Stop the check</source>
        <translation>Stop the check</translation>
    </message>
    <message id="ListenForA">
        <location filename="TextIds.cpp" line="80"/>
        <source>Hear A</source>
        <translation>Hear A</translation>
    </message>
    <message id="PreciseShort">
        <location filename="TextIds.cpp" line="82"/>
        <source>Precise</source>
        <translation>Precise</translation>
    </message>
    <message id="WebTapToStart">
        <source>Tap to start listening</source>
        <translation>Tap to start listening</translation>
    </message>
    <message id="WebListenToDemo">
        <source>Listen to the demo recording</source>
        <translation>Listen to the demo recording</translation>
    </message>
    <message id="WebPermissionDenied">
        <source>The microphone is not allowed for this page. Allow it in the browser&apos;s site settings and tap again.</source>
        <translation>The microphone is not allowed for this page. Allow it in the browser&apos;s site settings and tap again.</translation>
    </message>
    <message id="WebNoMicrophone">
        <source>No microphone was found.</source>
        <translation>No microphone was found.</translation>
    </message>
    <message id="WebInsecure">
        <source>This page was not opened over HTTPS, so the browser offers it no microphone.</source>
        <translation>This page was not opened over HTTPS, so the browser offers it no microphone.</translation>
    </message>
    <message id="WebInterrupted">
        <source>Listening was interrupted (a call, or the page in the background). Tap to listen again.</source>
        <translation>Listening was interrupted (a call, or the page in the background). Tap to listen again.</translation>
    </message>
    <message id="WebAudioFailed">
        <source>The audio could not be started.</source>
        <translation>The audio could not be started.</translation>
    </message>
    <message id="WebSettingsIgnored">
        <source>The browser keeps some voice processing on: %@</source>
        <translation>The browser keeps some voice processing on: %@</translation>
    </message>
    <message id="WebListeningToDemo">
        <source>Listening to the demo recording</source>
        <translation>Listening to the demo recording</translation>
    </message>
</context>
</TS>
