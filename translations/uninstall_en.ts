<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>QObject</name>
    <message>
        <source>TheClientIsRunningPrnptTrdtT</source>
        <translation>The program is running. Please close it and try again.</translation>
    </message>
    <message>
        <source>DetermineTheUninstalfYANYiIa</source>
        <translation>Are you sure you want to uninstall this software?</translation>
    </message>
    <message>
        <source>ThisSoftwareIsNotCurmXqDCfI</source>
        <translation>This software is not currently installed.</translation>
    </message>
    <message>
        <source>BeganToUnloadWkJrSaJaAq</source>
        <translation>Removing files…</translation>
    </message>
    <message>
        <source>DeleteShortcutULXVgdVTs</source>
        <translation>Removing shortcuts…</translation>
    </message>
    <message>
        <source>ClearTheRegistryeuyqTkYHjj</source>
        <translation>Cleaning registry…</translation>
    </message>
    <message>
        <source>Uninstalled</source>
        <translation>Uninstall complete</translation>
    </message>
    <message>
        <source>UninstallIncompleteHvRqYwNd</source>
        <translation>Uninstall incomplete</translation>
    </message>
</context>
<context>
    <name>appinstaller::CustomTitleWidget</name>
    <message>
        <source>VuzarRevuvazereved</source>
        <translation>Uninstall</translation>
    </message>
</context>
<context>
    <name>MainWindowUI</name>
    <message>
        <source>MainWindowUI</source>
        <translation>Uninstall</translation>
    </message>
</context>
<context>
    <name>UnInstallCompletedUI</name>
    <message>
        <source>Uninstalled</source>
        <translation>Uninstalled successfully</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Finish</translation>
    </message>
</context>
<context>
    <name>appinstaller::UnInstallCompletedPage</name>
    <message>
        <source>NotEverythingWasRemovedGhYtRb</source>
        <translation>Uninstall incomplete. Please remove these by hand:</translation>
    </message>
    <message>
        <source>CouldNotBeRemovedPwLzQa</source>
        <translation>Could not be removed:</translation>
    </message>
    <message>
        <source>LeftInPlaceForSafetyJcXd</source>
        <translation>Left in place for safety:</translation>
    </message>
    <message>
        <source>InstallLocationNotRecordedTzMq</source>
        <translation>(install location not recorded)</translation>
    </message>
    <message>
        <source>AndMoreEntriesRnBfKs</source>
        <translation>… and %1 more</translation>
    </message>
</context>
<context>
    <name>VexiloControl::CModalTipDialog</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
