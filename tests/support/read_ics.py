#!/usr/bin/env python3
"""Reads an iCalendar file with python3-icalendar, a parser apart from the one that wrote it,
and prints its events as JSON: uid, summary, description, start (ISO), whether the start is a
whole day, and each alarm's action and trigger in seconds."""
import datetime
import json
import sys

import icalendar

with open(sys.argv[1], "rb") as f:
    calendar = icalendar.Calendar.from_ical(f.read())
events = []
for event in calendar.walk("VEVENT"):
    start = event.decoded("dtstart")
    events.append({
        "uid": str(event.get("uid")),
        "summary": str(event.get("summary")),
        "description": str(event.get("description")),
        "start": start.isoformat(),
        "allDay": not isinstance(start, datetime.datetime),
        "stamped": event.get("dtstamp") is not None,
        "alarms": [{"action": str(a.get("action")),
                    "trigger": int(a.decoded("trigger").total_seconds())}
                   for a in event.walk("VALARM")],
    })
print(json.dumps({"version": str(calendar.get("version")), "events": events}))
