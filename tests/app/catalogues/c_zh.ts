<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Probe</name>
    <message>
        <source>Key</source>
        <translation>c-chinese</translation>
    </message>
    <message>
        <source>Onlyc_zh</source>
        <translation>c-chinese</translation>
    </message>
</context>
</TS>
